#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Text in a Windows code page (1252, 1251, 932, ...) as UTF-8. A byte
// sequence the code page does not define becomes "?". A code page the
// platform cannot convert from is read as Windows-1252. Each platform has
// its own side of this function (code_page_posix.cc).
std::string CodePageToUtf8(unsigned code_page, std::string_view bytes);

}  // namespace quorvane
