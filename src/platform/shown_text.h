#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// A text as a line of the command shows it: every control character escaped
// (NUL as \0, CR as \r, LF as \n, tab as \t, the others and DEL as \xNN), so
// that a message is one line and a NUL never reaches the terminal.
std::string Shown(std::string_view text);

}  // namespace quorvane
