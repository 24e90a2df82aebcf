// Quorvane for C++ hosts: the compiler object with the design's four
// operations, in a header of its own over the C interface (quorvane.h), so that
// it works with the shared and the static library alike and no compiler detail
// reaches the host.
//
//   quorvane::Compiler compiler([](quorvane::MessageStyle style, std::string_view title,
//                                  std::string_view text) { ShowBox(style, title, text); });
//   try {
//     if (!compiler.WriteMissionFITFile("out", "missions", "campaign.mdb", 7)) {
//       // refused; the reason went to the message handler
//     }
//   } catch (const quorvane::CompileError& error) {
//     // a run-time error ended the operation; error.what() tells why
//   }
//
// Ownership: a Compiler owns its compiler object (the open database, the open
// files, its counters) and releases it when destroyed. It can be moved, not
// copied; a moved-from Compiler may only be destroyed or assigned to. It keeps
// a copy of the message handler.
//
// Threads: a Compiler has no lock. Calls on one Compiler must not overlap: use
// it from one thread at a time. Different Compiler objects share nothing and
// may compile at the same time on different threads, provided they do not
// write the same output files. The handler runs on the thread that made the
// call, during the call.
//
// Errors: an operation that refuses a mission returns false after showing why;
// a run-time error throws CompileError, and the object stays usable. Texts that
// hold a NUL character throw std::invalid_argument. No other exception type of
// the library reaches the host.
#ifndef QUORVANE_COMPILER_H
#define QUORVANE_COMPILER_H

#include <cstdint>
#include <exception>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "quorvane/quorvane.h"

namespace quorvane {

// The style of a message box.
enum class MessageStyle : int {
  kPlain = QUORVANE_MESSAGE_PLAIN,       // OK button only, no icon, the host's default title
  kCritical = QUORVANE_MESSAGE_CRITICAL  // critical icon, title "Error"
};

// The host's message box: called once per message, in order, during the
// operation; the operation goes on when it returns. `title` is "Error" for a
// critical box and empty for a plain one. The views are valid during the call.
// When the handler throws, the operation still runs to its end without further
// messages, and then the exception is thrown from the operation.
using MessageHandler =
    std::function<void(MessageStyle style, std::string_view title, std::string_view text)>;

// A run-time error that ended an operation: overflow, invalid use of Null, a
// type mismatch, a missing table or field, a file that cannot be written.
// what() is the reason, as the command reports it after "runtime error: ".
class CompileError : public std::runtime_error {
 public:
  explicit CompileError(const std::string& reason) : std::runtime_error(reason) {}
};

// The mission compiler: the design's WriteQuorvane object. It keeps its state
// between calls as that object does (the database the last operation opened,
// the output folder, the mission number, counters and scratch values). Some of
// it is never reset, so to get what the quorvane command writes, use a new
// Compiler for each mission.
//
// Names: the operations keep the design's names, and the design's parameters
// are named here as C++ names them: output_path is OutputPath, database_path
// DatabasePath, database_name DatabaseName, mission_id MissionID (of
// WriteMissionScript: MissionIdentifier), path pathName and text thisstring.
// Inside, the operations run the design's steps: OpenMissionDatabase,
// SetOutputPath, then BuildMissionFit or the script's FindMissionRecord,
// OpenVarInitFiles, OpenMultiplayerInclude, WriteMissionBrain,
// WriteLookOutIncludeFile, WriteStructureInclude, CloseVarInitFiles and
// CloseMultiplayerInclude.
class Compiler {
 public:
  explicit Compiler(MessageHandler on_message = {})
      : state_(new State{std::move(on_message), nullptr}),
        handle_(quorvane_create(&Compiler::Deliver, state_)) {
    if (handle_ == nullptr) {
      delete state_;
      throw std::bad_alloc();
    }
  }
  ~Compiler() { Release(); }
  Compiler(Compiler&& other) noexcept
      : state_(std::exchange(other.state_, nullptr)),
        handle_(std::exchange(other.handle_, nullptr)) {}
  Compiler& operator=(Compiler&& other) noexcept {
    if (this != &other) {
      Release();
      state_ = std::exchange(other.state_, nullptr);
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  Compiler(const Compiler&) = delete;
  Compiler& operator=(const Compiler&) = delete;

  // Writes the FIT file of mission `mission_id` into `output_path` ("" is the
  // current folder) from the database `database_name` in the folder
  // `database_path`. True when it was written completely.
  bool WriteMissionFITFile(std::string_view output_path, std::string_view database_path,
                           std::string_view database_name, int16_t mission_id) {
    return WriteMission(&quorvane_write_mission_fit_file, output_path, database_path, database_name,
                        mission_id);
  }

  // Writes the mission's ABL module and its _VAR, _INIT, _MP, _STR and _LOP
  // includes. True when all script files were written.
  bool WriteMissionScript(std::string_view output_path, std::string_view database_path,
                          std::string_view database_name, int16_t mission_id) {
    return WriteMission(&quorvane_write_mission_script, output_path, database_path, database_name,
                        mission_id);
  }

  // Writes the mission's lookout include from the database the last operation
  // opened, as `path` (a folder ending in "/") followed by the script file
  // name of the last WriteMissionScript and "_LOP.ABI". Lines meant for the
  // other script includes are dropped: those are open only inside
  // WriteMissionScript, which writes this include itself.
  bool WriteLookOutIncludeFile(int16_t mission_id, std::string_view path) {
    quorvane_bool result = QUORVANE_FALSE;
    Check(quorvane_write_lookout_include_file(handle_, mission_id, Text(path).c_str(), &result));
    return result != QUORVANE_FALSE;
  }

  // The text as the design's MakeAblIdentifier leaves it in its argument: the
  // ABL identifier made from `text` ("Gate (North)" gives
  // "_Gate_North"), or the text unchanged when it starts with a positive
  // number, which is refused with a critical message.
  std::string MakeAblIdentifier(std::string_view text) {
    std::string buffer = Text(text);
    buffer.resize(buffer.size() + 1);  // room for the "_" in front
    size_t length = 0;
    Check(quorvane_make_abl_identifier(handle_, buffer.data(), buffer.size() + 1, &length));
    buffer.resize(length);
    return buffer;
  }

  // The mission drawn from above as one self-contained SVG document (UTF-8).
  // What cannot be drawn, a mission that is not in the database and a
  // database that cannot be opened are listed in the picture's note box.
  std::string MissionMap(std::string_view DatabasePath, std::string_view DatabaseName,
                         int16_t MissionID) {
    const char* svg = nullptr;
    size_t length = 0;
    Check(quorvane_render_mission_map(handle_, Text(DatabasePath).c_str(),
                                      Text(DatabaseName).c_str(), MissionID, &svg, &length));
    return std::string(svg, length);
  }

  // The date of the header lines, "YYYY-MM-DD"; an empty text goes back to
  // the default (SOURCE_DATE_EPOCH when set, otherwise today). Throws
  // std::invalid_argument for any other text.
  void SetCreationDate(std::string_view date) {
    if (quorvane_set_creation_date(handle_, Text(date).c_str()) != QUORVANE_OK) {
      throw std::invalid_argument("the date must be YYYY-MM-DD");
    }
  }

  // The library's version, "MAJOR.MINOR.PATCH".
  static const char* Version() { return quorvane_version(); }

 private:
  struct State {
    MessageHandler handler;
    std::exception_ptr handler_error;  // the first exception the handler threw
  };

  static void Deliver(void* host, int style, const char* title, const char* text) {
    State& state = *static_cast<State*>(host);
    if (!state.handler || state.handler_error) return;
    try {
      state.handler(static_cast<MessageStyle>(style), title, text);
    } catch (...) {
      state.handler_error = std::current_exception();
    }
  }

  using WriteOperation = decltype(&quorvane_write_mission_fit_file);

  // The two file-writing operations share their parameters.
  bool WriteMission(WriteOperation operation, std::string_view output, std::string_view folder,
                    std::string_view name, int16_t mission) {
    quorvane_bool result = QUORVANE_FALSE;
    Check(operation(handle_, Text(output).c_str(), Text(folder).c_str(), Text(name).c_str(),
                    mission, &result));
    return result != QUORVANE_FALSE;
  }

  // A text for the C interface, which ends texts with NUL.
  static std::string Text(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) {
      throw std::invalid_argument("a text holds a NUL character");
    }
    return std::string(text);
  }

  void Check(quorvane_status status) {
    if (state_->handler_error) std::rethrow_exception(std::exchange(state_->handler_error, {}));
    switch (status) {
      case QUORVANE_OK:
        return;
      case QUORVANE_RUNTIME_ERROR:
        throw CompileError(quorvane_last_error(handle_));
      default:
        throw std::invalid_argument("quorvane: invalid argument");
    }
  }

  void Release() noexcept {
    quorvane_destroy(handle_);
    delete state_;
  }

  State* state_;
  quorvane_compiler* handle_;
};

}  // namespace quorvane

#endif  // QUORVANE_COMPILER_H
