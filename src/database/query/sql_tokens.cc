#include "database/query/sql_tokens.h"

#include <cctype>

#include "database/jet/jet_text.h"

namespace quorvane::db {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// The end of the number starting at `pos` (digits, point, digits, exponent).
size_t NumberEnd(std::string_view text, size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
  }
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    size_t exponent = pos + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    if (exponent < text.size() && IsDigit(text[exponent])) {
      pos = exponent;
      while (pos < text.size() && IsDigit(text[pos])) ++pos;
    }
  }
  return pos;
}

}  // namespace

bool Token::IsWord(std::string_view keyword) const {
  return kind == Kind::kWord && FoldCase(text) == FoldCase(keyword);
}

std::vector<Token> Tokenize(std::string_view text) {
  std::vector<Token> tokens;
  size_t pos = 0;
  while (true) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    Token token;
    token.offset = pos;
    if (pos == text.size()) {
      tokens.push_back(token);
      return tokens;
    }
    char c = text[pos];
    if (c == '[') {
      size_t close = text.find(']', pos + 1);
      if (close == std::string_view::npos) throw SyntaxError("missing ']'");
      token.kind = Token::Kind::kName;
      token.text = text.substr(pos + 1, close - pos - 1);
      pos = close + 1;
    } else if (c == '\'' || c == '"') {
      token.kind = Token::Kind::kText;
      ++pos;
      while (true) {
        if (pos == text.size()) throw SyntaxError("unterminated text");
        if (text[pos] == c) {
          if (pos + 1 < text.size() && text[pos + 1] == c) {
            token.text += c;
            pos += 2;
            continue;
          }
          ++pos;
          break;
        }
        token.text += text[pos++];
      }
    } else if (IsDigit(c) || (c == '.' && pos + 1 < text.size() && IsDigit(text[pos + 1]))) {
      size_t end = NumberEnd(text, pos);
      token.kind = Token::Kind::kNumber;
      token.text = text.substr(pos, end - pos);
      pos = end;
      if (pos < text.size() && IsWordChar(text[pos])) throw SyntaxError("malformed number");
    } else if (IsWordChar(c)) {
      size_t end = pos;
      while (end < text.size() && IsWordChar(text[end])) ++end;
      token.kind = Token::Kind::kWord;
      token.text = text.substr(pos, end - pos);
      pos = end;
    } else if (c == '<' || c == '>' || c == '=') {
      token.kind = Token::Kind::kOperator;
      token.text = c;
      ++pos;
      if (pos < text.size() && c == '<' && (text[pos] == '>' || text[pos] == '=')) {
        token.text += text[pos++];
      } else if (pos < text.size() && c == '>' && text[pos] == '=') {
        token.text += text[pos++];
      }
    } else if (c == '(' || c == ')' || c == ',' || c == '*' || c == ';' || c == '-' || c == '+') {
      token.kind = Token::Kind::kPunct;
      token.text = c;
      ++pos;
    } else {
      throw SyntaxError(std::string("unexpected character '") + c + "'");
    }
    tokens.push_back(std::move(token));
  }
}

}  // namespace quorvane::db
