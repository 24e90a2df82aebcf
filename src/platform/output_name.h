#pragma once

#include <string>
#include <string_view>

#include "platform/message_sink.h"

namespace quorvane {

// How a system reads a file name: POSIX separates folders with "/" only;
// Windows with "\" and "/", and knows drives and device names.
enum class PathRule { kPosix, kWindows };

#ifdef _WIN32
inline constexpr PathRule kSystemPathRule = PathRule::kWindows;
#else
inline constexpr PathRule kSystemPathRule = PathRule::kPosix;
#endif

// True when the output folder followed by `name` and an ending names a file
// inside that folder under that name: `name` is not an absolute path, has no
// ".." component and holds no NUL character. Under the Windows rule it also
// has no drive ("C:"), does not start with either separator, splits
// components on both, and has no component that names a device (CON, PRN,
// AUX, NUL, COM1-9, LPT1-9, with or without an ending). Subfolders of the
// output folder are allowed.
bool StaysInOutputFolder(std::string_view name, PathRule rule = kSystemPathRule);

// Checks a mission's file name before the first file of an operation is
// created. A name that would leave the output folder is refused with a
// critical message; the result is then false.
bool CheckMissionFileName(MessageSink& messages, const std::string& name);

}  // namespace quorvane
