"""The Python module quorvane over the shared library (QUORVANE_LIBRARY, set by
ctest): results, messages, CompileError, the identifier, the date, threads."""

import datetime
import pathlib
import threading

import pytest

import quorvane

TESTS = pathlib.Path(__file__).resolve().parents[1]
DATA = TESTS / "data"
GOLDEN = TESTS / "golden" / "campaign"
GOLDEN_DATE = "2026-01-01"
GOLDEN_MISSIONS = sorted(int(folder.name) for folder in GOLDEN.iterdir())


def read_folder(folder):
    return {path.name: path.read_bytes() for path in pathlib.Path(folder).iterdir()}


class Host:
    """Records every message box as (style, title, text)."""

    def __init__(self):
        self.boxes = []

    def __call__(self, style, title, text):
        self.boxes.append((style, title, text))


def compile_mission(mission, output):
    """Compiles mission's FIT file and script as the expected files were made,
    and returns the files with the transcript "messages.txt"."""
    output.mkdir(parents=True)
    host = Host()
    compiler = quorvane.Compiler(on_message=host)
    compiler.set_creation_date(GOLDEN_DATE)
    transcript = ""
    for name, operation in (("fit", compiler.write_mission_fit),
                            ("script", compiler.write_mission_script)):
        host.boxes.clear()
        try:
            verdict = str(operation(str(output), DATA, "campaign.mdb", mission))
        except quorvane.CompileError as error:
            verdict = "runtime error: " + error.reason
        for style, title, text in host.boxes:
            kind = "critical" if style == quorvane.MESSAGE_CRITICAL else "plain"
            transcript += f"{name} message: {kind} [{title}] {text}\n"
        transcript += f"{name}: {verdict}\n"
    files = read_folder(output)
    files["messages.txt"] = transcript.encode()
    folder = (str(output) + "/").encode()
    return {name: data.replace(folder, b"OUTPUT/") for name, data in files.items()}


@pytest.mark.parametrize("mission", GOLDEN_MISSIONS)
def test_writes_the_expected_files_and_messages(mission, tmp_path):
    assert compile_mission(mission, tmp_path / "out") == read_folder(GOLDEN / str(mission))


def test_two_compilers_on_two_threads_at_once(tmp_path):
    halves = (GOLDEN_MISSIONS[0::2], GOLDEN_MISSIONS[1::2])
    results = [[], []]

    def compile_all(index):
        for round_number in range(2):
            for mission in halves[index]:
                output = tmp_path / f"thread{index}-{round_number}-{mission}"
                results[index].append((mission, compile_mission(mission, output)))

    threads = [threading.Thread(target=compile_all, args=(i,)) for i in range(2)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert [len(result) for result in results] == [2 * len(half) for half in halves]
    for result in results:
        for mission, files in result:
            assert files == read_folder(GOLDEN / str(mission)), mission


def test_one_compiler_shared_by_four_threads(tmp_path):
    """The threads take turns: each gets the FIT file a compiler alone writes."""
    mission = GOLDEN_MISSIONS[0]
    expected = read_folder(GOLDEN / str(mission))
    fit_name = next(name for name in expected if name.upper().endswith(".FIT"))
    compiler = quorvane.Compiler()
    compiler.set_creation_date(GOLDEN_DATE)
    results = {}

    def compile_fit(index):
        output = tmp_path / f"thread{index}"
        output.mkdir()
        for _ in range(3):
            result = compiler.write_mission_fit(str(output), DATA, "campaign.mdb", mission)
        files = read_folder(output)
        folder = (str(output) + "/").encode()
        results[index] = (result, files[fit_name].replace(folder, b"OUTPUT/"))

    threads = [threading.Thread(target=compile_fit, args=(i,)) for i in range(4)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert sorted(results) == [0, 1, 2, 3]
    for result, fit in results.values():
        assert result is True
        assert fit == expected[fit_name]


CRITICAL = quorvane.MESSAGE_CRITICAL
PLAIN = quorvane.MESSAGE_PLAIN


@pytest.mark.parametrize("database, mission, operation, result, boxes, reason", [
    ("broken.mdb", 206, "write_mission_fit", False,
     [(CRITICAL, "Error", "No Dropzones were defined.")], None),
    ("broken.mdb", 207, "write_mission_fit", False,
     [(PLAIN, "", "No Assignments found for Mission 207.")], None),
    ("broken.mdb", 203, "write_mission_script", False,
     [(CRITICAL, "Error", "Incorrect record count in Objectives table.")], None),
    ("broken.mdb", 224, "write_mission_fit", None, [],
     "Invalid use of Null: Mechs.Name, ID 990, while writing the FIT parts section"),
    ("broken.mdb", 226, "write_mission_script", None, [],
     "Invalid use of Null: MissionStructures.Identifier, StructureID 22601, "
     "while writing the structure include"),
])
def test_refusals_and_runtime_errors_leave_the_compiler_usable(
        database, mission, operation, result, boxes, reason, tmp_path):
    host = Host()
    compiler = quorvane.Compiler(on_message=host)
    run = getattr(compiler, operation)
    if reason is None:
        assert run(tmp_path, DATA, database, mission) is result
    else:
        with pytest.raises(quorvane.CompileError) as raised:
            run(tmp_path, DATA, database, mission)
        assert raised.value.reason == reason
    assert host.boxes == boxes
    host.boxes.clear()
    assert compiler.write_mission_fit(tmp_path, DATA, "campaign.mdb", 7) is True
    assert host.boxes == []


def test_missing_database_is_refused_with_its_message(tmp_path):
    host = Host()
    compiler = quorvane.Compiler(on_message=host)
    assert compiler.write_mission_script(tmp_path, tmp_path, "missing.mdb", 1) is False
    assert host.boxes == [(CRITICAL, "Error", f"Could not find file '{tmp_path}/missing.mdb'.")]


@pytest.mark.parametrize("text, identifier, refused", [
    ("Power Station", "_Power_Station", False),
    ("Gate (North)", "_Gate_North", False),
    ("A  B", "_A__B", False),
    ("", "_", False),
    ("-5 Gate", "_5_Gate", False),
    ("Tür 1", "_Tür_1", False),
    ("12 Gate", "12 Gate", True),
])
def test_make_abl_identifier(text, identifier, refused):
    host = Host()
    compiler = quorvane.Compiler(on_message=host)
    assert compiler.make_abl_identifier(text) == identifier
    expected = [(CRITICAL, "Error", f"ABL Identifier '{text}' starts with a number.")]
    assert host.boxes == (expected if refused else [])


def test_handler_exception_is_raised_after_the_operation(tmp_path):
    def refuse(style, title, text):
        raise KeyError(text)

    compiler = quorvane.Compiler(on_message=refuse)
    compiler.set_creation_date(datetime.date(2026, 1, 1))
    with pytest.raises(KeyError, match="Briefing File name not specified."):
        compiler.write_mission_fit(tmp_path, DATA, "campaign.mdb", 3000)
    # The operation ran to its end.
    written = (tmp_path / "m3000.abl.FIT").read_bytes()
    assert written == (GOLDEN / "3000" / "m3000.abl.FIT").read_bytes()
    assert compiler.write_mission_fit(tmp_path, DATA, "campaign.mdb", 7) is True


def test_lookout_include_uses_the_database_of_the_last_operation(tmp_path):
    compiler = quorvane.Compiler()
    with pytest.raises(quorvane.CompileError, match="No mission database is open"):
        compiler.write_lookout_include_file(7, f"{tmp_path}/")
    (tmp_path / "script").mkdir()
    assert compiler.write_mission_script(tmp_path / "script", DATA, "campaign.mdb", 7) is True
    assert compiler.write_lookout_include_file(7, f"{tmp_path}/") is True
    written = (tmp_path / "m0007_LOP.ABI").read_bytes().replace(f"{tmp_path}/".encode(), b"OUTPUT/")
    assert written == (GOLDEN / "7" / "m0007_LOP.ABI").read_bytes()


def test_arguments_dates_and_closing(tmp_path):
    compiler = quorvane.Compiler()
    for wrong in ("2026-02-30", "26-01-01", "today"):
        with pytest.raises(ValueError):
            compiler.set_creation_date(wrong)
    with pytest.raises(ValueError):
        compiler.write_mission_fit(tmp_path, DATA, "campaign.mdb", 40000)
    compiler.set_creation_date(None)
    with quorvane.Compiler() as scoped:
        assert scoped.make_abl_identifier("a b") == "_a_b"
    with pytest.raises(ValueError):
        scoped.make_abl_identifier("a b")
    assert quorvane.version() == quorvane.__version__
    assert [int(part) for part in quorvane.version().split(".")] >= [0, 1, 0]
