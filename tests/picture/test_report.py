"""quorvane report: one offline page per database, read back with the XML
parser; what check says, the map and the tables of each mission."""

import xml.etree.ElementTree as ElementTree

import pytest

from picture_support import (CAMPAIGN, CAMPAIGN_MISSIONS, SVG, XHTML, campaign_rows,
                             campaign_twin, quorvane, with_class)


def report(*arguments, folder):
    output = folder / "report.html"
    run = quorvane("report", *arguments, "-o", output)
    return ElementTree.parse(output).getroot(), run


def section(root, mission):
    (found,) = [element for element in root.iter(XHTML + "section")
                if element.get("id") == f"mission-{mission}"]
    return found


def test_the_campaign_report_has_every_mission_with_its_contents(tmp_path):
    root, run = report(CAMPAIGN, "--all", folder=tmp_path)
    assert run.returncode == 0, run.stderr
    links = [link.get("href") for link in root.find(f".//{XHTML}nav").iter(XHTML + "a")]
    assert links == [f"#mission-{mission}" for mission in CAMPAIGN_MISSIONS]
    for mission in CAMPAIGN_MISSIONS:
        part = section(root, mission)
        assert len(list(part.iter(SVG + "svg"))) == 1
        kind = "multiplayer" if mission == 23 else "single-player"
        assert part.find(f"{XHTML}p[@class='kind']").text.startswith(kind + "; files ")
        assert part.find(f".//{XHTML}p[@class='verdict']").text == "check: the mission compiles."
        units = campaign_rows("SELECT COUNT(*) FROM MissionAssignments WHERE MissionID = ?",
                              mission)[0][0]
        rows = sum(len(table.findall(XHTML + "tr")) - 1 for table in part.iter(XHTML + "table")
                   if table.get("class") == "forces")
        assert rows == units
        objectives = campaign_rows("SELECT COUNT(*) FROM Objectives WHERE MissionID = ?",
                                   mission)[0][0]
        listed = part.find(f".//{XHTML}ol[@class='objectives']")
        assert len(listed.findall(XHTML + "li") if listed is not None else []) == objectives


def test_actions_are_told_in_words_in_objective_order(tmp_path):
    root, _ = report(CAMPAIGN, 7, folder=tmp_path)
    objectives = section(root, 7).find(f".//{XHTML}ol[@class='objectives']")
    first = objectives.find(XHTML + "li")
    expected = campaign_rows("SELECT Description FROM Objectives WHERE MissionID = 7"
                             " ORDER BY Alignment DESC, Objective ASC")[0][0]
    assert first.find(XHTML + "strong").text == expected
    actions = [item.text for item in objectives.iter(XHTML + "li")
               if item.text and ": " in item.text]
    assert any(text.startswith("Move to Area: move into the area; x ") for text in actions)


@pytest.mark.parametrize("mission, verdict, said", [
    (999, "check: the compiler refuses the mission.", "Incorrect record count in NewMissions"),
])
def test_check_says_at_the_top_why_a_mission_is_refused(tmp_path, mission, verdict, said):
    root, run = report(CAMPAIGN, 7, mission, folder=tmp_path)
    assert run.returncode == 1
    part = section(root, mission)
    check = part.find(f".//{XHTML}div")
    assert "refused" in check.get("class")
    assert check.find(f"{XHTML}p").text == verdict
    assert said in check.find(f"{XHTML}pre").text


def test_the_page_uses_no_external_resources(tmp_path):
    report(CAMPAIGN, "--all", folder=tmp_path)
    page = (tmp_path / "report.html").read_text(encoding="utf-8")
    for reference in ("http:", "https:", "src=", "<link", "<script", "@import"):
        assert reference not in page.replace('xmlns="http://www.w3.org/', "")


HOSTILE = '<script>alert("x")</script> & \'quoted\'\x01\x1f'


@pytest.mark.parametrize("statement, where", [
    (("UPDATE NewMissions SET MissionName = ? WHERE MissionID = 1", (HOSTILE,)), "mission name"),
    (("UPDATE Mechs SET Name = ? WHERE ID = 1", (HOSTILE,)), "unit type"),
    (("UPDATE Objectives SET Description = ? WHERE MissionID = 1", (HOSTILE,)), "objective"),
])
def test_database_texts_stay_text_in_map_and_report(tmp_path, statement, where):
    database = campaign_twin(tmp_path, statement)
    shown = HOSTILE.replace("\x01", "\u2401").replace("\x1f", "\u241f")
    svg = quorvane("map", database, 1, "-o", "-")
    page, _ = report(database, 1, folder=tmp_path)
    for root in (ElementTree.fromstring(svg.stdout), page):
        assert not [element for element in root.iter() if element.tag.endswith("script")], where
        texts = " ".join("".join(element.itertext()) for element in root.iter()
                         if element.tag.endswith(("text", "title", "h2", "strong", "td")))
        if where != "objective" or root is page:
            assert shown in texts, where
