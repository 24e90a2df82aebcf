#pragma once

#include <optional>
#include <string>
#include <string_view>

// Unicode text operations on UTF-8, from the generated character tables.

namespace quorvane::unicode {

// The characters of `text`, or nothing when it is not well-formed UTF-8: an
// overlong form, a surrogate, a character above U+10FFFF, a cut-off sequence
// or a NUL byte make it ill-formed.
std::optional<std::u32string> DecodeUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t c);

// Full case folding: "É" becomes "é", "ß" becomes "ss".
std::u32string FoldCase(std::u32string_view text);

// The canonical decomposition (Unicode normalisation form D): "é" becomes "e"
// followed by the combining acute accent, combining marks in canonical order.
std::u32string DecomposeCanonical(std::u32string_view text);

// The character's canonical combining class (0 for a starter).
int CombiningClass(char32_t c);
// True for a non-spacing mark (general category Mn), such as an accent.
bool IsNonspacingMark(char32_t c);

}  // namespace quorvane::unicode
