#pragma once

#include <string>

#include "platform/message_sink.h"

namespace quorvane {

// Turns a designer's text into an ABL identifier in place: "_" in front,
// blanks to "_", the characters &;=%^()-+.!\/: removed. A text whose leading
// number is positive is refused with a message and left unchanged.
void MakeAblIdentifier(MessageSink& messages, std::string& text);

}  // namespace quorvane
