"""What the picture tests share: running the command, reading its SVG and
HTML with a real XML parser, the fixture missions and the golden FIT files."""

import os
import pathlib
import re
import sqlite3
import subprocess
import xml.etree.ElementTree as ElementTree

TESTS = pathlib.Path(__file__).resolve().parents[1]
DATA = TESTS / "data"
CAMPAIGN = DATA / "campaign.mdb"
GOLDEN = TESTS / "golden" / "campaign"
CAMPAIGN_MISSIONS = sorted(int(folder.name) for folder in GOLDEN.iterdir())
SVG = "{http://www.w3.org/2000/svg}"
XHTML = "{http://www.w3.org/1999/xhtml}"


def quorvane(*arguments, cwd=None):
    """Runs the command; returns the finished process (bytes out and err)."""
    return subprocess.run([os.environ["QUORVANE_BINARY"], *map(str, arguments)],
                          capture_output=True, cwd=cwd, timeout=600, check=False)


def map_of(database, mission):
    """The map of a mission as a parsed SVG root, and the finished process."""
    run = quorvane("map", database, mission, "-o", "-")
    assert run.returncode in (0, 1, 2), run.stderr
    return ElementTree.fromstring(run.stdout), run


def campaign_sql():
    """The SQL text of the campaign fixture: the mission tables, then its rows."""
    names = ("schema.sql", "campaign.sql")
    return "".join((DATA / name).read_text(encoding="utf-8") for name in names)


def campaign_twin(folder, *statements):
    """A SQLite twin of the campaign database with SQL statements applied."""
    path = pathlib.Path(folder) / "twin.sqlite"
    database = sqlite3.connect(path)
    database.executescript(campaign_sql())
    for statement in statements:
        if isinstance(statement, tuple):
            database.execute(*statement)
        else:
            database.execute(statement)
    database.commit()
    database.close()
    return path


def campaign_rows(sql, *parameters):
    """Rows of the campaign fixture."""
    database = sqlite3.connect(":memory:")
    database.executescript(campaign_sql())
    return database.execute(sql, parameters).fetchall()


class Frame:
    """The world-to-picture mapping the SVG states on its root."""

    def __init__(self, root):
        self.left = float(root.get("data-map-left"))
        self.top = float(root.get("data-map-top"))
        self.min_x = float(root.get("data-min-x"))
        self.max_y = float(root.get("data-max-y"))
        self.scale = float(root.get("data-scale"))

    def screen(self, x, y):
        return (self.left + (x - self.min_x) * self.scale, self.top + (self.max_y - y) * self.scale)


def translation(element):
    """The (x, y) of a transform="translate(x y)"."""
    match = re.fullmatch(r"translate\(([-\d.]+) ([-\d.]+)\)", element.get("transform"))
    return float(match.group(1)), float(match.group(2))


def with_class(root, name, tag="*"):
    """Elements whose class list holds `name`."""
    return [element for element in root.iter(tag)
            if name in (element.get("class") or "").split()]


def notes_text(root):
    """The notes of the note box as one text."""
    return " ".join(note.get("data-note") for note in with_class(root, "note"))


def golden_fit_sections(mission):
    """The sections of the mission's golden FIT file: (head, {key: value})."""
    fit = next((GOLDEN / str(mission)).glob("*.FIT")).read_bytes().decode("cp1252")
    for section in re.split(r"\r\n(?=\[)", fit):
        head = section.split("\r\n", 1)[0]
        values = dict(re.findall(r"^\w+ (\w+) *= *(.*?) *(?://.*)?\r?$", section, re.MULTILINE))
        yield head, values


def golden_parts(mission):
    """{part number: (x, y)} of the [Part n] sections, and the part numbers
    of the elementals that ride in a carrier ([ECarrier n] sections)."""
    parts, riding = {}, set()
    for head, values in golden_fit_sections(mission):
        if re.fullmatch(r"\[Part\d+\]", head):
            parts[int(head[5:-1])] = (values["PositionX"], values["PositionY"])
        elif head.startswith("[ECarrier"):
            riding |= {int(value) for key, value in values.items() if key.startswith("Elemental")}
    return parts, riding


def golden_drop_zones(mission):
    """The drop zones of the mission's golden FIT file: for each zone its
    position and {slot: (offset x, offset y)} of the slots whose offsets are
    numbers."""
    zones = []
    for head, values in golden_fit_sections(mission):
        if not head.startswith("[DropZone"):
            continue
        slots = {}
        for slot in range(4):
            x, y = values.get(f"OffsetX{slot}"), values.get(f"OffsetY{slot}")
            if x and y:
                slots[slot] = (float(x), float(y))
        zones.append({"x": values["PositionX"], "y": values["PositionY"], "slots": slots})
    return zones
