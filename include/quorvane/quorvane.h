/* Quorvane: the mission compiler as a component for hosts in any language.
 *
 * A host (a mission design tool) creates a compiler object, calls its four
 * operations and releases it:
 *
 *   quorvane_compiler* compiler = quorvane_create(show_message, my_window);
 *   quorvane_bool written;
 *   if (quorvane_write_mission_fit_file(compiler, "out", "missions", "campaign.mdb", 7,
 *                                       &written) != QUORVANE_OK) {
 *     fprintf(stderr, "runtime error: %s\n", quorvane_last_error(compiler));
 *   }
 *   quorvane_destroy(compiler);
 *
 * Text: every text given to or returned by this interface is UTF-8 and ends
 * with a NUL byte. Paths are the platform's.
 *
 * Results: each operation returns a quorvane_status. QUORVANE_OK means the
 * operation ran to its end and its Boolean result was stored: QUORVANE_TRUE (-1)
 * when its files were written, QUORVANE_FALSE (0) when it refused the mission;
 * the reason was then given to the message callback. QUORVANE_RUNTIME_ERROR
 * means a run-time error ended the operation (overflow, invalid use of Null, a
 * type mismatch, a missing table or field, a file that cannot be written): no
 * Boolean is stored, quorvane_last_error() tells the reason, and the object can
 * be used for the next call. Files written before the error stay on disk as far
 * as they were written.
 *
 * Ownership: quorvane_create() gives the caller the object, and
 * quorvane_destroy() takes it back. The interface keeps no pointer that the
 * caller passes in, except the callback and its host pointer, which must stay
 * valid while the object lives. Texts the interface returns belong to it.
 *
 * Threads: an object has no lock. Calls on one object must not overlap: use it
 * from one thread at a time (it may move between threads between calls). Two
 * objects share nothing, so different objects may compile at the same time on
 * different threads, provided they do not write the same output files. The
 * message callback runs on the thread that made the call.
 *
 * No C++ exception leaves this interface. The callback must return normally:
 * it must neither throw nor jump out of the call (longjmp).
 */
#ifndef QUORVANE_QUORVANE_H
#define QUORVANE_QUORVANE_H

#include <stddef.h>
#include <stdint.h>

#include "quorvane/version.h"

#if defined(_WIN32) && !defined(QUORVANE_STATIC)
#if defined(QUORVANE_BUILDING)
#define QUORVANE_API __declspec(dllexport)
#else
#define QUORVANE_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define QUORVANE_API __attribute__((visibility("default")))
#else
#define QUORVANE_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The compiler object: the design's WriteQuorvane. It keeps its state between
 * calls as that object does: the database the last operation opened, the
 * output folder, the mission number, its counters and scratch values. Some of
 * them are never reset, so a second mission compiled by the same object can
 * differ from the same mission compiled alone: to get what the quorvane
 * command writes, use a new object for each mission. */
typedef struct quorvane_compiler quorvane_compiler;

/* A Boolean result: QUORVANE_TRUE (-1, all bits set) or QUORVANE_FALSE (0). */
typedef int16_t quorvane_bool;
#define QUORVANE_TRUE ((quorvane_bool)-1)
#define QUORVANE_FALSE ((quorvane_bool)0)

/* What a call returns. */
typedef enum quorvane_status {
  QUORVANE_OK = 0,               /* the operation ran; its result was stored */
  QUORVANE_RUNTIME_ERROR = 1,    /* a run-time error ended it; see quorvane_last_error() */
  QUORVANE_INVALID_ARGUMENT = 2, /* a NULL object, text or result pointer, or a bad date */
  QUORVANE_BUFFER_TOO_SMALL = 3  /* quorvane_make_abl_identifier: the result does not fit */
} quorvane_status;

/* The style of a message box, as the host shows it. */
typedef enum quorvane_message_style {
  QUORVANE_MESSAGE_PLAIN = 0,    /* OK button only, no icon, the host's default title */
  QUORVANE_MESSAGE_CRITICAL = 16 /* critical icon, title "Error" */
} quorvane_message_style;

/* The host's message box. Called during an operation, on its thread, once per
 * message and in order; `style` is a quorvane_message_style, `title` is "Error"
 * for a critical box and "" for a plain one (show the default title), `text`
 * is the message. The operation goes on when the callback returns, as when the
 * user closes the box. Both texts are valid only during the call. */
typedef void (*quorvane_message_fn)(void* host, int style, const char* title, const char* text);

/* The library's version, "MAJOR.MINOR.PATCH" (a static text). */
QUORVANE_API const char* quorvane_version(void);

/* Creates a compiler object whose messages go to `on_message` with `host` as
 * its first argument; with a NULL `on_message` messages are dropped. Returns
 * NULL when memory runs out. */
QUORVANE_API quorvane_compiler* quorvane_create(quorvane_message_fn on_message, void* host);

/* Releases the object and everything it holds (open database, open files).
 * NULL is allowed and does nothing. */
QUORVANE_API void quorvane_destroy(quorvane_compiler* compiler);

/* Sets the date written into the header lines, "YYYY-MM-DD" (a real calendar
 * date). NULL or "" goes back to the default: the date of SOURCE_DATE_EPOCH
 * when that variable is set, otherwise today's. Returns
 * QUORVANE_INVALID_ARGUMENT, and changes nothing, for any other text. */
QUORVANE_API quorvane_status quorvane_set_creation_date(quorvane_compiler* compiler,
                                                        const char* date);

/* WriteMissionFITFile: opens the database `database_name` in the folder
 * `database_path` (a name without an ending gets ".MDB"), checks the output
 * folder `output_path` ("" is the current folder), checks mission `mission_id`
 * and writes its FIT file. `*result` is QUORVANE_TRUE when the FIT file was
 * written completely. */
QUORVANE_API quorvane_status quorvane_write_mission_fit_file(
    quorvane_compiler* compiler, const char* output_path, const char* database_path,
    const char* database_name, int16_t mission_id, quorvane_bool* result);

/* WriteMissionScript: as above, writes the mission's ABL module and its _VAR,
 * _INIT, _MP, _STR and _LOP includes. `*result` is QUORVANE_TRUE when all
 * script files were written. */
QUORVANE_API quorvane_status quorvane_write_mission_script(
    quorvane_compiler* compiler, const char* output_path, const char* database_path,
    const char* database_name, int16_t mission_id, quorvane_bool* result);

/* WriteLookOutIncludeFile: writes the lookout include of mission `mission_id`
 * from the database the last operation of this object opened (without one it
 * is a run-time error). The file's name is `path` followed by the script
 * file name of this object's last quorvane_write_mission_script and
 * "_LOP.ABI", so `path` is a folder ending in "/". Lines meant for the
 * script's other includes are dropped: those are open only inside
 * quorvane_write_mission_script, which writes this include itself. */
QUORVANE_API quorvane_status quorvane_write_lookout_include_file(quorvane_compiler* compiler,
                                                                 int16_t mission_id,
                                                                 const char* path,
                                                                 quorvane_bool* result);

/* MakeAblIdentifier: turns the designer's text in `text` into an ABL
 * identifier in place ("Gate (North)" becomes "_Gate_North"). `size` is the
 * size of the buffer in bytes, NUL included. A text whose leading number is
 * positive is refused with a critical message and left unchanged (the call
 * still returns QUORVANE_OK). The identifier is at most one byte longer than
 * the text, so a buffer of strlen(text) + 2 bytes always holds it.
 * When `length` is not NULL it receives the identifier's length in bytes
 * without the NUL, also when the buffer is too small; then the call returns
 * QUORVANE_BUFFER_TOO_SMALL and leaves the buffer unchanged. */
QUORVANE_API quorvane_status quorvane_make_abl_identifier(quorvane_compiler* compiler, char* text,
                                                          size_t size, size_t* length);

/* Draws mission `mission_id` of the database `database_name` in the folder
 * `database_path` (opened as the operations above open it, with their
 * messages when it cannot be) as one self-contained SVG document, top-down in
 * world units: units, drop-zone slots where the FIT file places them, lookout
 * points, a legend. Nothing is written to disk. A database that cannot be
 * opened, a mission that is not in it and positions that cannot be drawn are
 * listed in the picture's note box; the call still returns QUORVANE_OK with a
 * picture. `*svg` receives the UTF-8 text, which belongs to the object and
 * stays valid until the next call on it; when `length` is not NULL it
 * receives the text's length in bytes without the NUL. */
QUORVANE_API quorvane_status quorvane_render_mission_map(quorvane_compiler* compiler,
                                                         const char* database_path,
                                                         const char* database_name,
                                                         int16_t mission_id, const char** svg,
                                                         size_t* length);

/* The reason of the last run-time error of this object's calls, "" when its
 * last call ended without one. Valid until the next call on the object. */
QUORVANE_API const char* quorvane_last_error(const quorvane_compiler* compiler);

#ifdef __cplusplus
}
#endif

#endif /* QUORVANE_QUORVANE_H */
