"""Compiler.mission_map of the Python module (the C interface's
quorvane_render_mission_map) gives the picture the command draws."""

import xml.etree.ElementTree as ElementTree

import quorvane

from picture_support import CAMPAIGN, notes_text, quorvane as command


def test_the_component_draws_what_the_command_draws():
    with quorvane.Compiler() as compiler:
        for mission in (1, 7, 999):
            svg = compiler.mission_map(CAMPAIGN, mission)
            assert svg.encode() == command("map", CAMPAIGN, mission, "-o", "-").stdout


def test_a_database_that_cannot_be_opened_is_said_and_drawn(tmp_path):
    boxes = []
    with quorvane.Compiler(on_message=lambda *box: boxes.append(box)) as compiler:
        svg = compiler.mission_map(tmp_path / "missing.mdb", 1)
    assert boxes and boxes[0][0] == quorvane.MESSAGE_CRITICAL
    assert "could not be opened" in notes_text(ElementTree.fromstring(svg))
