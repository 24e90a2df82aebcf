#pragma once

#include <string>
#include <string_view>

#include "platform/message_sink.h"

namespace quorvane {

// True when the output folder followed by `name` and an ending names a file
// inside that folder under that name: `name` is not an absolute path, has no
// ".." component (split on "/") and holds no NUL character. Subfolders of the
// output folder are allowed.
bool StaysInOutputFolder(std::string_view name);

// Checks a mission's file name before the first file of an operation is
// created. A name that would leave the output folder is refused with a
// critical message; the result is then false.
bool CheckMissionFileName(MessageSink& messages, const std::string& name);

}  // namespace quorvane
