#include "database/query/select_query.h"

#include "platform/runtime_error.h"

namespace quorvane::db {
namespace {

bool IsName(const Token& token) {
  return token.kind == Token::Kind::kName || token.kind == Token::Kind::kWord;
}

SelectQuery ParseSelect(std::vector<Token> tokens) {
  SelectQuery query;
  size_t pos = 1;  // after SELECT
  auto expect = [&](bool ok, const char* what) {
    if (!ok) throw SyntaxError(what);
  };
  expect(tokens[pos++].IsPunct('*'), "only SELECT * is understood");
  expect(tokens[pos++].IsWord("FROM"), "missing FROM");
  expect(IsName(tokens[pos]), "missing table name");
  query.table = tokens[pos++].text;
  if (tokens[pos].IsWord("WHERE")) {
    query.where_begin = ++pos;
    while (tokens[pos].kind != Token::Kind::kEnd && !tokens[pos].IsWord("ORDER") &&
           !tokens[pos].IsPunct(';')) {
      ++pos;
    }
    query.where_end = pos;
    expect(query.HasWhere(), "empty WHERE");
  }
  if (tokens[pos].IsWord("ORDER")) {
    ++pos;
    expect(tokens[pos++].IsWord("BY"), "missing BY");
    while (true) {
      expect(IsName(tokens[pos]), "missing field name in ORDER BY");
      SelectQuery::OrderKey key{tokens[pos++].text, false};
      if (tokens[pos].IsWord("DESC")) {
        key.descending = true;
        ++pos;
      } else if (tokens[pos].IsWord("ASC")) {
        ++pos;
      }
      query.order.push_back(std::move(key));
      if (!tokens[pos].IsPunct(',')) break;
      ++pos;
    }
  }
  if (tokens[pos].IsPunct(';')) ++pos;
  expect(tokens[pos].kind == Token::Kind::kEnd, "unexpected text at the end");
  query.tokens = std::move(tokens);
  return query;
}

}  // namespace

SelectQuery ParseSource(std::string_view source) {
  try {
    std::vector<Token> tokens = Tokenize(source);
    if (tokens[0].IsWord("SELECT")) return ParseSelect(std::move(tokens));
    // A bare table name.
    size_t pos = 0;
    if (IsName(tokens[pos])) {
      SelectQuery query;
      query.table = tokens[pos++].text;
      if (tokens[pos].IsPunct(';')) ++pos;
      if (tokens[pos].kind == Token::Kind::kEnd) return query;
    }
  } catch (const SyntaxError&) {
  }
  throw RuntimeError("Invalid SQL statement or table name '" + std::string(source) + "'.");
}

}  // namespace quorvane::db
