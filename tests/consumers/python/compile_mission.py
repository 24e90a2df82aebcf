"""A host written in Python, using the installed module quorvane: compiles the
FIT file and the script of each mission given.
Usage: compile_mission.py OUTPUT DATABASE_FOLDER DATABASE_NAME DATE MISSION..."""

import sys

import quorvane


def show(style, _title, text):
    print(("error: " if style == quorvane.MESSAGE_CRITICAL else "") + text, file=sys.stderr)


def main(output, folder, name, date, *missions):
    for mission in map(int, missions):
        # One object per mission, as the command does: an object keeps its
        # counters from one mission to the next.
        compiler = quorvane.Compiler(on_message=show)
        compiler.set_creation_date(date)
        if not (compiler.write_mission_fit(output, folder, name, mission)
                and compiler.write_mission_script(output, folder, name, mission)):
            return 1
    print("compiled with libquorvane", quorvane.version(), "from", quorvane.__file__)
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
