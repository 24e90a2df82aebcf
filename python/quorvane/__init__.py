"""Quorvane, the mission compiler, for Python hosts.

    import quorvane

    def show(style, title, text):
        print(title or "Quorvane", text)

    compiler = quorvane.Compiler(on_message=show)
    try:
        if not compiler.write_mission_fit("out", "missions", "campaign.mdb", 7):
            ...  # refused; show() was told why
    except quorvane.CompileError as error:
        print("runtime error:", error.reason)

A Compiler is the design's WriteQuorvane object: it keeps its state between
calls (the database its last operation opened, the output folder, counters).
Some of it is never reset, so to get what the quorvane command writes, use a
new Compiler for each mission.
A Compiler holds a lock: threads that share one take turns. Two Compiler
objects compile at the same time on different threads, into different files.
The module loads libquorvane through ctypes: the library named by the
environment variable QUORVANE_LIBRARY when it is set, otherwise the one
installed with the module.
"""

import ctypes
import datetime
import threading
import os

from . import _library

__all__ = ["Compiler", "CompileError", "MESSAGE_PLAIN", "MESSAGE_CRITICAL", "version"]

MESSAGE_PLAIN = 0
"""Style of a plain message box: OK button only, no icon, the default title."""
MESSAGE_CRITICAL = 16
"""Style of a critical message box, titled "Error"."""

_C = _library.LIBRARY


class CompileError(Exception):
    """A run-time error ended an operation (overflow, invalid use of Null, a
    type mismatch, a missing table or field, a file that cannot be written).
    `reason` is its text. The Compiler stays usable."""

    def __init__(self, reason):
        super().__init__(reason)
        self.reason = reason


def version():
    """The library's version, "MAJOR.MINOR.PATCH"."""
    return _C.quorvane_version().decode("utf-8")


__version__ = version()


def _path(value):
    return os.fsencode(value)


def _mission(value):
    if not -32768 <= value <= 32767:
        raise ValueError(f"mission number {value} is outside -32768..32767")
    return value


class Compiler:
    """The mission compiler with the design's four operations.

    on_message(style, title, text) is called once per message box, in order,
    during the operation; style is MESSAGE_PLAIN or MESSAGE_CRITICAL, title is
    "Error" for a critical box and "" for a plain one. The operation goes on
    when it returns. When it raises, the operation still runs to its end
    without further messages, and then the exception is raised from it.

    One Compiler may be shared by threads: it holds a lock, so their calls run
    one after another (on_message runs in the thread whose call raised the
    message). Separate Compilers run in parallel.
    """

    def __init__(self, on_message=None):
        self._lock = threading.RLock()
        self._on_message = on_message
        self._handler_error = None
        # Kept as long as the object lives: the library calls it.
        self._callback = _library.MESSAGE_FN(self._deliver)
        self._handle = _C.quorvane_create(self._callback, None)
        if not self._handle:
            raise MemoryError("quorvane_create failed")

    def close(self):
        """Releases the compiler object (open database and files) at once."""
        lock = getattr(self, "_lock", None)
        if lock is None:
            return
        with lock:
            if getattr(self, "_handle", None):
                _C.quorvane_destroy(self._handle)
                self._handle = None

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def __del__(self):
        self.close()

    def set_creation_date(self, date):
        """The date of the header lines: a datetime.date or "YYYY-MM-DD";
        None goes back to the default (SOURCE_DATE_EPOCH, else today)."""
        if isinstance(date, datetime.date):
            date = date.isoformat()
        text = None if date is None else date.encode("utf-8")
        with self._lock:
            status = _C.quorvane_set_creation_date(self._live(), text)
        if status != _library.OK:
            raise ValueError(f"not a date YYYY-MM-DD: {date!r}")

    def write_mission_fit(self, output_path, database_path, database_name, mission_id):
        """WriteMissionFITFile: True when the FIT file was written completely."""
        return self._write(_C.quorvane_write_mission_fit_file, output_path, database_path,
                           database_name, mission_id)

    def write_mission_script(self, output_path, database_path, database_name, mission_id):
        """WriteMissionScript: True when all script files were written."""
        return self._write(_C.quorvane_write_mission_script, output_path, database_path,
                           database_name, mission_id)

    def write_lookout_include_file(self, mission_id, path_name):
        """WriteLookOutIncludeFile: the lookout include of the mission, from the
        database the last operation opened, named path_name (a folder ending in
        "/") followed by the last write_mission_script's script file name and
        "_LOP.ABI"."""
        result = ctypes.c_int16(0)
        self._run(_C.quorvane_write_lookout_include_file, _mission(mission_id), _path(path_name),
                  ctypes.byref(result))
        return result.value != 0

    def make_abl_identifier(self, text):
        """MakeAblIdentifier: the ABL identifier made from text, or text
        unchanged when it starts with a positive number (refused with a
        critical message)."""
        encoded = text.encode("utf-8")
        buffer = ctypes.create_string_buffer(encoded, len(encoded) + 2)
        length = ctypes.c_size_t(0)
        self._run(_C.quorvane_make_abl_identifier, buffer, len(buffer), ctypes.byref(length))
        return buffer.raw[:length.value].decode("utf-8")

    def mission_map(self, database, mission_id):
        """The mission drawn from above as the text of one self-contained SVG
        document. database is the database file's path. What cannot be
        drawn, a missing mission and a database that cannot be opened are
        listed in the picture's note box."""
        folder, name = os.path.split(os.fspath(database))
        svg = ctypes.c_char_p()
        length = ctypes.c_size_t(0)
        # The picture lives in the object until its next call: read it under the lock.
        with self._lock:
            self._run(_C.quorvane_render_mission_map, _path(folder or "."), _path(name),
                      _mission(mission_id), ctypes.byref(svg), ctypes.byref(length))
            return ctypes.string_at(svg, length.value).decode("utf-8")

    def _write(self, function, output_path, database_path, database_name, mission_id):
        result = ctypes.c_int16(0)
        self._run(function, _path(output_path), _path(database_path), _path(database_name),
                  _mission(mission_id), ctypes.byref(result))
        return result.value != 0

    def _run(self, function, *arguments):
        """Calls function(handle, *arguments) under the object's lock."""
        with self._lock:
            status = function(self._live(), *arguments)
            error, self._handler_error = self._handler_error, None
            reason = None
            if status == _library.RUNTIME_ERROR:
                reason = _C.quorvane_last_error(self._handle).decode("utf-8", "replace")
        if error is not None:
            raise error
        if reason is not None:
            raise CompileError(reason)
        if status != _library.OK:
            raise ValueError(f"quorvane: invalid argument (status {status})")

    def _live(self):
        if not self._handle:
            raise ValueError("the Compiler is closed")
        return self._handle

    def _deliver(self, _host, style, title, text):
        if self._on_message is None or self._handler_error is not None:
            return
        try:
            self._on_message(style, title.decode("utf-8", "replace"),
                             text.decode("utf-8", "replace"))
        except BaseException as error:  # raised again when the operation returns
            self._handler_error = error
