"""Loads libquorvane and declares the C interface of quorvane/quorvane.h."""

import ctypes
import ctypes.util
import os
import pathlib

MESSAGE_FN = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_int, ctypes.c_char_p,
                              ctypes.c_char_p)

# quorvane_status
OK = 0
RUNTIME_ERROR = 1
INVALID_ARGUMENT = 2
BUFFER_TOO_SMALL = 3


def _library_path():
    """QUORVANE_LIBRARY when set (the build tree's library, for tests), else the
    library installed with this module, else the system's search."""
    given = os.environ.get("QUORVANE_LIBRARY")
    if given:
        return given
    try:
        from . import _installed
    except ImportError:
        return ctypes.util.find_library("quorvane") or "libquorvane.so"
    beside = pathlib.Path(__file__).resolve().parent / _installed.LIBRARY
    return str(beside) if beside.exists() else _installed.LIBRARY_NAME


def _declare(library):
    compiler = ctypes.c_void_p
    text = ctypes.c_char_p
    boolean = ctypes.POINTER(ctypes.c_int16)
    signatures = {
        "quorvane_version": (text, []),
        "quorvane_create": (compiler, [MESSAGE_FN, ctypes.c_void_p]),
        "quorvane_destroy": (None, [compiler]),
        "quorvane_set_creation_date": (ctypes.c_int, [compiler, text]),
        "quorvane_write_mission_fit_file":
            (ctypes.c_int, [compiler, text, text, text, ctypes.c_int16, boolean]),
        "quorvane_write_mission_script":
            (ctypes.c_int, [compiler, text, text, text, ctypes.c_int16, boolean]),
        "quorvane_write_lookout_include_file":
            (ctypes.c_int, [compiler, ctypes.c_int16, text, boolean]),
        "quorvane_make_abl_identifier":
            (ctypes.c_int, [compiler, ctypes.c_char_p, ctypes.c_size_t,
                            ctypes.POINTER(ctypes.c_size_t)]),
        "quorvane_render_mission_map":
            (ctypes.c_int, [compiler, text, text, ctypes.c_int16, ctypes.POINTER(ctypes.c_char_p),
                            ctypes.POINTER(ctypes.c_size_t)]),
        "quorvane_last_error": (text, [compiler]),
    }
    for name, (result, arguments) in signatures.items():
        function = getattr(library, name)
        function.restype = result
        function.argtypes = arguments
    return library


LIBRARY = _declare(ctypes.CDLL(_library_path()))
