#pragma once

#include <concepts>
#include <string>
#include <string_view>

namespace quorvane {

// One output line assembled from items: texts, whole numbers and column stops.
// A column stop Tab(n) makes the next item start in column n (counted from 1):
// blanks up to that column, or, on a line already longer than n - 1
// characters, a line break and n - 1 blanks on the next line.
class Line {
 public:
  Line() = default;
  explicit Line(std::string_view text) { *this << text; }
  // A line whose text starts in the given column.
  static Line At(int column, std::string_view text) {
    Line line;
    line.Tab(column) << text;
    return line;
  }

  Line& Tab(int column);
  Line& operator<<(std::string_view text);
  Line& operator<<(const std::string& text) { return *this << std::string_view(text); }
  Line& operator<<(const char* text) { return *this << std::string_view(text); }
  template <std::integral Number>
  requires(!std::same_as<Number, bool> && !std::same_as<Number, char>) Line& operator<<(
      Number number) {
    return *this << std::string_view(std::to_string(number));
  }

  // The text of the line; contains CR LF where a column stop broke it.
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  size_t column_ = 0;  // characters on the current physical line
};

}  // namespace quorvane
