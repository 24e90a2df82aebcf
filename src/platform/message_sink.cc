#include "platform/message_sink.h"

namespace quorvane {

std::vector<std::string> RecordingSink::texts() const {
  std::vector<std::string> texts;
  for (const Message& message : messages_) texts.push_back(message.text);
  return texts;
}

void ConsoleSink::Show(const Message& message) {
  out_ << (message.style == BoxStyle::kCritical ? "quorvane: error: " : "quorvane: ")
       << message.text << '\n'
       << std::flush;
}

}  // namespace quorvane
