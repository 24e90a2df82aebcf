#include "script/abl_identifier.h"

#include "platform/number_text.h"

namespace quorvane {

void MakeAblIdentifier(MessageSink& messages, std::string& text) {
  if (ReadLeadingNumber(text) > 0) {
    messages.Error("ABL Identifier '" + text + "' starts with a number.");
    return;
  }
  static constexpr std::string_view kRemoved = "&;=%^()-+.!\\/:";
  std::string identifier = "_";
  for (char c : text) {
    if (c == ' ') {
      identifier += '_';
    } else if (kRemoved.find(c) == std::string_view::npos) {
      identifier += c;
    }
  }
  text = std::move(identifier);
}

}  // namespace quorvane
