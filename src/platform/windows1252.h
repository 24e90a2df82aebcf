#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// UTF-8 text in the 8-bit code page the game reads. A character without a
// Windows-1252 form becomes one "?" per code point; invalid UTF-8 bytes are
// taken as Windows-1252 bytes as they stand.
std::string ToWindows1252(std::string_view utf8);
// The same, appended to `out`.
void AppendWindows1252(std::string& out, std::string_view utf8);

// The first character of a UTF-8 text that has no Windows-1252 form (its
// UTF-8 bytes); empty when every character has one.
std::string_view FirstWithoutWindows1252Form(std::string_view utf8);

// Windows-1252 bytes as UTF-8.
std::string FromWindows1252(std::string_view bytes);

// The number of characters (code points) of a UTF-8 text.
size_t CharacterCount(std::string_view utf8);

}  // namespace quorvane
