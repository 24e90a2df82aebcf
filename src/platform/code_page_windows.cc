#include <windows.h>

#include "platform/code_page.h"

namespace quorvane {
namespace {

// One character's bytes in the code page: the lead byte and, for a double-
// byte code page, the trail byte that follows it.
size_t CharacterLength(unsigned code_page, std::string_view bytes, size_t at) {
  CPINFO info{};
  if (GetCPInfo(code_page, &info) && info.MaxCharSize > 1 &&
      IsDBCSLeadByteEx(code_page, static_cast<BYTE>(bytes[at])) && at + 1 < bytes.size()) {
    return 2;
  }
  return 1;
}

// The UTF-8 form of one character, or "?" when the code page does not define it.
std::string OneCharacter(unsigned code_page, std::string_view bytes) {
  wchar_t wide[4];
  int length = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(),
                                   static_cast<int>(bytes.size()), wide, 4);
  if (length <= 0) return "?";
  char utf8[16];
  int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8, sizeof utf8, nullptr, nullptr);
  return size > 0 ? std::string(utf8, static_cast<size_t>(size)) : "?";
}

}  // namespace

std::string CodePageToUtf8(unsigned code_page, std::string_view bytes) {
  if (!IsValidCodePage(code_page)) code_page = 1252;
  std::string out;
  out.reserve(bytes.size());
  // Character by character, so that each undefined sequence becomes one "?"
  // as on every platform.
  for (size_t at = 0; at < bytes.size();) {
    size_t length = CharacterLength(code_page, bytes, at);
    out += OneCharacter(code_page, bytes.substr(at, length));
    at += length;
  }
  return out;
}

}  // namespace quorvane
