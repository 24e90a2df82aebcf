"""quorvane map: every unit, drop-zone slot and lookout ring of the campaign
missions where the database and the FIT file put it, and a valid picture
with a note for data that cannot be drawn."""

import math
import xml.etree.ElementTree as ElementTree

import pytest

from picture_support import (CAMPAIGN, CAMPAIGN_MISSIONS, DATA, Frame, campaign_rows,
                             campaign_twin, golden_drop_zones, golden_parts, notes_text, map_of, quorvane, translation,
                             with_class)


def close(a, b, tolerance=0.011):
    return abs(a - b) <= tolerance


def drawn_units(root):
    """{part: unit element}, checking that no part is drawn twice and that
    each stands where its world coordinates put it."""
    frame = Frame(root)
    drawn = {}
    for unit in with_class(root, "unit"):
        part = int(unit.get("data-part"))
        assert part not in drawn, f"part {part} drawn twice"
        drawn[part] = unit
        expected = frame.screen(float(unit.get("data-x")), float(unit.get("data-y")))
        screen = translation(unit)
        assert close(screen[0], expected[0]) and close(screen[1], expected[1])
    return drawn


@pytest.mark.parametrize("mission", CAMPAIGN_MISSIONS)
def test_every_unit_is_drawn_once_at_its_coordinates(mission):
    root, _ = map_of(CAMPAIGN, mission)
    drawn = drawn_units(root)
    parts, riding = golden_parts(mission)
    if parts:  # single-player: the FIT file's parts, in its numbering
        expected = {part: (float(x), float(y)) for part, (x, y) in parts.items()
                    if part not in riding}
        assert {part: (float(unit.get("data-x")), float(unit.get("data-y")))
                for part, unit in drawn.items()} == expected
        for part in riding:
            assert part not in drawn
    else:  # multiplayer: no parts in the FIT file; the database's rows
        rows = campaign_rows("SELECT XCoordinate, YCoordinate FROM MissionAssignments"
                             " WHERE MissionID = ?", mission)
        assert sorted((float(unit.get("data-x")), float(unit.get("data-y")))
                      for unit in drawn.values()) == sorted(rows)


def test_mission_one_shows_its_single_mech_at_its_position():
    root, run = map_of(CAMPAIGN, 1)
    assert run.returncode == 0
    (unit,) = with_class(root, "unit")
    assert "mech" in unit.get("class") and "inner-sphere" in unit.get("class")
    assert (unit.get("data-x"), unit.get("data-y")) == ("100", "200")
    title = root.find(".//{http://www.w3.org/2000/svg}text[@class='mission-title']").text
    assert title.startswith("Mission 1: ")


@pytest.mark.parametrize("mission", CAMPAIGN_MISSIONS)
def test_drop_zone_slots_stand_where_the_fit_file_puts_them(mission):
    root, _ = map_of(CAMPAIGN, mission)
    frame = Frame(root)
    zones = golden_drop_zones(mission)
    assert zones and len(with_class(root, "drop-zone")) == sum(1 for z in zones if z["x"] and z["y"])
    for index, zone in enumerate(zones):
        slots = [slot for slot in with_class(root, "slot") if slot.get("data-zone") == str(index)]
        placed = zone["x"] and zone["y"]  # a zone with a Null position is listed, not drawn
        assert sorted(int(slot.get("data-slot")) for slot in slots) == (
            sorted(zone["slots"]) if placed else [])
        for slot in slots:
            offset_x, offset_y = zone["slots"][int(slot.get("data-slot"))]
            assert float(slot.get("data-offset-x")) == offset_x
            assert float(slot.get("data-offset-y")) == offset_y
            expected = frame.screen(float(zone["x"]) + offset_x, float(zone["y"]) + offset_y)
            assert close(float(slot.get("cx")), expected[0])
            assert close(float(slot.get("cy")), expected[1])


@pytest.mark.parametrize("mission", [7, 23, 3000])
def test_lookout_rings_have_their_radii(mission):
    root, _ = map_of(CAMPAIGN, mission)
    frame = Frame(root)
    points = campaign_rows("SELECT XCoordinate, YCoordinate, UseABLorRadius, Radius, RevealRadius"
                           " FROM LookoutPoints WHERE MissionID = ?", mission)
    assert len(with_class(root, "lookout", "{http://www.w3.org/2000/svg}g")) == len(points)
    for index, (x, y, use, radius, reveal) in enumerate(points):
        rings = {ring.get("class"): ring for ring in root.iter("{http://www.w3.org/2000/svg}circle")
                 if ring.get("data-lookout") == str(index)}
        centre = frame.screen(x, y)
        expected = {"lookout-reveal": reveal}
        if use != "ABL" and radius:
            expected["lookout-trigger"] = radius
        assert sorted(rings) == sorted(expected)
        for kind, world in expected.items():
            ring = rings[kind]
            assert float(ring.get("data-radius")) == world
            assert close(float(ring.get("r")), world * frame.scale)
            assert close(float(ring.get("cx")), centre[0]) and close(float(ring.get("cy")), centre[1])


# Damaged or odd data: each gives a valid picture and says what it left out.
BAD_INPUT = [
    ("null coordinate", 1, ["UPDATE MissionAssignments SET XCoordinate = NULL WHERE MissionID = 1"],
     "X is Null", 0),
    ("huge coordinate", 1, ["UPDATE MissionAssignments SET YCoordinate = 1e30 WHERE MissionID = 1"],
     "lies beyond any map", 0),
    ("infinite coordinate", 1,
     ["UPDATE MissionAssignments SET XCoordinate = 9e999 WHERE MissionID = 1"],
     "X is not a number", 0),
    ("text coordinate", 1,
     ["UPDATE MissionAssignments SET XCoordinate = 'NaN' WHERE MissionID = 1"],
     "X is not a number", 0),
    ("null drop zone", 1, ["UPDATE PlayerEntryPoints SET PlayerEntryPointY = NULL WHERE MissionID = 1"],
     "Drop zone 0 is not drawn: Y is Null", 1),
    ("missing table", 1, ["DROP TABLE LookoutPoints"], "LookoutPoints", None),
    ("texts in number fields", 7,
     ["UPDATE LookoutPoints SET Side = 'north'", "UPDATE Vehicles SET TypeID = 'carrier'",
      "UPDATE NewMissions SET Multiplayer = 'maybe'"], "", None),
]


@pytest.mark.parametrize("case, mission, statements, note, units",
                         BAD_INPUT, ids=[case[0] for case in BAD_INPUT])
def test_bad_input_gives_a_valid_picture_with_a_note(tmp_path, case, mission, statements, note,
                                                     units):
    database = campaign_twin(tmp_path, *statements)
    root, run = map_of(database, mission)
    assert note in notes_text(root), case
    if units is not None:
        assert len(with_class(root, "unit")) == units
    assert math.isfinite(Frame(root).scale) and Frame(root).scale > 1e-6


def test_a_missing_mission_is_said_and_drawn_under_a_default_name(tmp_path):
    run = quorvane("map", CAMPAIGN, 999, cwd=tmp_path)
    assert run.returncode == 1
    assert b"Incorrect record count in NewMissions table." in run.stderr
    root = ElementTree.parse(tmp_path / "mission999.svg").getroot()
    assert "Mission 999 has no row in NewMissions" in notes_text(root)


def test_default_file_is_named_after_the_mission_file(tmp_path):
    run = quorvane("map", CAMPAIGN, 7, cwd=tmp_path)
    assert run.returncode == 0, run.stderr
    assert [path.name for path in tmp_path.iterdir()] == ["m0007.svg"]


def test_ten_thousand_units_are_all_drawn(tmp_path):
    database = DATA / "scale" / "units10000.mdb"
    rows = quorvane("dump", database, "MissionAssignments").stdout.decode().splitlines()
    units = sum(1 for row in rows if row.split("\t")[0] == "1")
    output = tmp_path / "big.svg"
    run = quorvane("map", database, 1, "-o", output)
    assert run.returncode == 0, run.stderr
    root = ElementTree.parse(output).getroot()
    drawn = with_class(root, "unit")
    riding = sum(int(unit.get("data-elementals", "0")) for unit in drawn)
    assert units >= 10000 and len(drawn) + riding == units
