#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::db {

// A token of the query and criteria texts the compiler issues.
struct Token {
  enum class Kind {
    kWord,      // a bare word: keyword or field name
    kName,      // a [bracketed] name, brackets removed
    kNumber,    // digits with an optional point and exponent
    kText,      // 'text' or "text", quotes removed and doubled quotes undone
    kOperator,  // = <> < > <= >=
    kPunct,     // ( ) , * ; - +
    kEnd,
  };
  Kind kind = Kind::kEnd;
  std::string text;
  size_t offset = 0;  // where the token starts in the source text

  bool IsWord(std::string_view keyword) const;  // a kWord equal to keyword, any case
  bool IsPunct(char c) const { return kind == Kind::kPunct && text.size() == 1 && text[0] == c; }
};

// Raised for a text that cannot be split into tokens or parsed; callers turn
// it into a run-time error that quotes the whole text.
class SyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Splits the text into tokens, ending with a kEnd token. Throws SyntaxError.
std::vector<Token> Tokenize(std::string_view text);

}  // namespace quorvane::db
