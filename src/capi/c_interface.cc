// The C interface of include/quorvane/quorvane.h over the compiler object.
// Every entry point catches every exception: none crosses into the host.

#include <cstring>
#include <exception>
#include <initializer_list>
#include <new>
#include <string>
#include <utility>

#include "compiler/write_quorvane.h"
#include "platform/date_text.h"
#include "platform/message_sink.h"
#include "quorvane/quorvane.h"

namespace {

// Hands each message box to the host's callback, on the calling thread.
class CallbackSink : public quorvane::MessageSink {
 public:
  CallbackSink(quorvane_message_fn callback, void* host) : callback_(callback), host_(host) {}

  void Show(const quorvane::Message& message) override {
    if (callback_ == nullptr) return;
    int style = message.style == quorvane::BoxStyle::kCritical ? QUORVANE_MESSAGE_CRITICAL
                                                               : QUORVANE_MESSAGE_PLAIN;
    callback_(host_, style, message.title.c_str(), message.text.c_str());
  }

 private:
  quorvane_message_fn callback_;
  void* host_;
};

}  // namespace

struct quorvane_compiler {
  quorvane_compiler(quorvane_message_fn callback, void* host)
      : sink(callback, host), compiler(sink) {}

  CallbackSink sink;
  quorvane::WriteQuorvane compiler;
  std::string last_error;
  std::string last_map;  // the text quorvane_render_mission_map handed out
};

namespace {

// Keeps the reason of a run-time error. "Out of memory" fits the string's
// own storage, so keeping it cannot fail.
void KeepError(quorvane_compiler& compiler, const char* reason) noexcept {
  try {
    compiler.last_error = reason;
  } catch (...) {
    compiler.last_error = "Out of memory";
  }
}

// Runs `operation` on the object, turning every exception into a status.
template <typename Operation>
quorvane_status Guarded(quorvane_compiler* compiler, Operation operation) noexcept {
  if (compiler == nullptr) return QUORVANE_INVALID_ARGUMENT;
  compiler->last_error.clear();
  try {
    return operation(compiler->compiler);
  } catch (const std::bad_alloc&) {
    KeepError(*compiler, "Out of memory");
  } catch (const std::exception& error) {
    KeepError(*compiler, error.what());
  } catch (...) {
    KeepError(*compiler, "Unknown error");
  }
  return QUORVANE_RUNTIME_ERROR;
}

quorvane_bool Boolean(bool value) { return value ? QUORVANE_TRUE : QUORVANE_FALSE; }

bool AllGiven(std::initializer_list<const void*> pointers) {
  for (const void* pointer : pointers) {
    if (pointer == nullptr) return false;
  }
  return true;
}

// The two file-writing operations share their parameters.
template <typename Operation>
quorvane_status WriteMission(quorvane_compiler* compiler, const char* output_path,
                             const char* database_path, const char* database_name, int16_t mission,
                             quorvane_bool* result, Operation operation) {
  if (!AllGiven({output_path, database_path, database_name, result})) {
    return QUORVANE_INVALID_ARGUMENT;
  }
  return Guarded(compiler, [&](quorvane::WriteQuorvane& writer) {
    std::string output(output_path);
    std::string folder(database_path);
    std::string name(database_name);
    *result = Boolean((writer.*operation)(output, folder, name, mission));
    return QUORVANE_OK;
  });
}

}  // namespace

extern "C" {

const char* quorvane_version(void) { return QUORVANE_VERSION; }

quorvane_compiler* quorvane_create(quorvane_message_fn on_message, void* host) {
  try {
    return new quorvane_compiler(on_message, host);
  } catch (...) {
    return nullptr;
  }
}

void quorvane_destroy(quorvane_compiler* compiler) { delete compiler; }

quorvane_status quorvane_set_creation_date(quorvane_compiler* compiler, const char* date) {
  return Guarded(compiler, [&](quorvane::WriteQuorvane& writer) {
    std::string text = date == nullptr ? "" : date;
    if (!text.empty() && !quorvane::IsCreationDate(text)) return QUORVANE_INVALID_ARGUMENT;
    writer.set_creation_date(text);
    return QUORVANE_OK;
  });
}

quorvane_status quorvane_write_mission_fit_file(quorvane_compiler* compiler,
                                                const char* output_path, const char* database_path,
                                                const char* database_name, int16_t mission_id,
                                                quorvane_bool* result) {
  return WriteMission(compiler, output_path, database_path, database_name, mission_id, result,
                      &quorvane::WriteQuorvane::WriteMissionFITFile);
}

quorvane_status quorvane_write_mission_script(quorvane_compiler* compiler, const char* output_path,
                                              const char* database_path, const char* database_name,
                                              int16_t mission_id, quorvane_bool* result) {
  return WriteMission(compiler, output_path, database_path, database_name, mission_id, result,
                      &quorvane::WriteQuorvane::WriteMissionScript);
}

quorvane_status quorvane_write_lookout_include_file(quorvane_compiler* compiler, int16_t mission_id,
                                                    const char* path, quorvane_bool* result) {
  if (!AllGiven({path, result})) return QUORVANE_INVALID_ARGUMENT;
  return Guarded(compiler, [&](quorvane::WriteQuorvane& writer) {
    std::string folder(path);
    *result = Boolean(writer.WriteLookOutIncludeFile(mission_id, folder));
    return QUORVANE_OK;
  });
}

quorvane_status quorvane_make_abl_identifier(quorvane_compiler* compiler, char* text, size_t size,
                                             size_t* length) {
  if (text == nullptr) return QUORVANE_INVALID_ARGUMENT;
  return Guarded(compiler, [&](quorvane::WriteQuorvane& writer) {
    std::string identifier(text, strnlen(text, size));
    writer.MakeAblIdentifier(identifier);
    if (length != nullptr) *length = identifier.size();
    if (identifier.size() >= size) return QUORVANE_BUFFER_TOO_SMALL;
    std::memcpy(text, identifier.c_str(), identifier.size() + 1);
    return QUORVANE_OK;
  });
}

quorvane_status quorvane_render_mission_map(quorvane_compiler* compiler, const char* database_path,
                                            const char* database_name, int16_t mission_id,
                                            const char** svg, size_t* length) {
  if (!AllGiven({database_path, database_name, svg})) return QUORVANE_INVALID_ARGUMENT;
  return Guarded(compiler, [&](quorvane::WriteQuorvane& writer) {
    std::string folder(database_path);
    std::string name(database_name);
    compiler->last_map = writer.RenderMissionMap(folder, name, mission_id);
    *svg = compiler->last_map.c_str();
    if (length != nullptr) *length = compiler->last_map.size();
    return QUORVANE_OK;
  });
}

const char* quorvane_last_error(const quorvane_compiler* compiler) {
  return compiler == nullptr ? "" : compiler->last_error.c_str();
}

}  // extern "C"
