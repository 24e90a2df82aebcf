"""The report of the example campaign (examples/) in a real browser: headless chromium
renders it and takes a screenshot, which must not be blank. Skipped where
chromium is not installed."""

import shutil
import subprocess

import pytest

from picture_support import TESTS, quorvane

EXAMPLE = TESTS.parent / "examples" / "campaign.mdb"

CHROMIUM = shutil.which("chromium")
Image = pytest.importorskip("PIL.Image")


def screenshot(page, picture, profile):
    return subprocess.run(
        [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
         "--no-first-run", "--disable-background-networking", "--disable-component-update",
         "--disable-sync", f"--user-data-dir={profile}", "--window-size=1280,1600",
         f"--screenshot={picture}", page.as_uri()],
        capture_output=True, timeout=180, check=False)


@pytest.mark.skipif(CHROMIUM is None, reason="chromium is not installed")
def test_the_example_campaign_report_renders_in_a_browser(tmp_path):
    page = tmp_path / "report.html"
    assert quorvane("report", EXAMPLE, "--all", "-o", page).returncode == 0
    picture = tmp_path / "report.png"
    profile = tmp_path / "profile"
    profile.mkdir()
    run = screenshot(page, picture, profile)
    assert run.returncode == 0, run.stderr.decode(errors="replace")[-2000:]
    image = Image.open(picture).convert("RGB")
    assert image.size == (1280, 1600)
    colours = image.getcolors(maxcolors=1 << 20)
    white = sum(count for count, colour in colours if colour == (255, 255, 255))
    pixels = image.size[0] * image.size[1]
    assert white < pixels * 0.97  # something is drawn
    assert len(colours) > 50  # text, lines and shapes, not a flat fill
    # The Inner Sphere blue of the map's units and the headings' dark ink.
    assert any(count for count, colour in colours if colour == (31, 95, 191))
    assert sum(count for count, (r, g, b) in colours if r + g + b < 150) > 500
