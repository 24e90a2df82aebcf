#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quorvane {

// The two kinds of message box the compiler raises: a critical box titled
// "Error", and a plain box with no icon and the default title.
enum class BoxStyle { kCritical, kPlain };

struct Message {
  BoxStyle style;
  std::string title;
  std::string text;

  bool operator==(const Message&) const = default;
};

// Where the compiler's messages go. The operation goes on after each message
// as if the user had pressed OK.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(const Message& message) = 0;

  // A critical box with the title "Error".
  void Error(const std::string& text) { Show({BoxStyle::kCritical, "Error", text}); }
  // A plain box with no icon and no title of its own.
  void Notice(const std::string& text) { Show({BoxStyle::kPlain, "", text}); }
};

// Keeps every message, for tests and for hosts that show them later.
class RecordingSink : public MessageSink {
 public:
  void Show(const Message& message) override { messages_.push_back(message); }
  const std::vector<Message>& messages() const { return messages_; }
  std::vector<std::string> texts() const;

 private:
  std::vector<Message> messages_;
};

// Prints each message as one line: "quorvane: error: <text>" for a critical
// box, "quorvane: <text>" for a plain one.
class ConsoleSink : public MessageSink {
 public:
  explicit ConsoleSink(std::ostream& out) : out_(out) {}
  void Show(const Message& message) override;

 private:
  std::ostream& out_;
};

}  // namespace quorvane
