#include "platform/shown_text.h"

#include <cstdio>

namespace quorvane {

std::string Shown(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      shown += c;
      continue;
    }
    switch (c) {
      case '\0':
        shown += "\\0";
        break;
      case '\r':
        shown += "\\r";
        break;
      case '\n':
        shown += "\\n";
        break;
      case '\t':
        shown += "\\t";
        break;
      default: {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        shown += escaped;
      }
    }
  }
  return shown;
}

}  // namespace quorvane
