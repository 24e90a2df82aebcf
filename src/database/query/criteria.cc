#include "database/query/criteria.h"

#include <charconv>
#include <utility>

#include "database/jet/jet_text.h"
#include "platform/runtime_error.h"

namespace quorvane::db {
namespace {

struct Operand {
  enum class Kind { kColumn, kNumber, kText, kNull };
  Kind kind = Kind::kNull;
  size_t column = 0;
  ValueKind value_kind = ValueKind::kAny;  // of a column; kNumber or kText for constants
  double number = 0;
  std::string text;
};

// A value of one row as criteria compare it.
struct Scalar {
  enum class Kind { kNull, kNumber, kText };
  Kind kind = Kind::kNull;
  double number = 0;
  std::string_view text;
};

double ParseDouble(std::string_view text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

Scalar ScalarOf(const Variant& value) {
  Scalar s;
  switch (value.type()) {
    case VariantType::kEmpty:
    case VariantType::kNull:
      break;
    case VariantType::kBoolean:
      s.kind = Scalar::Kind::kNumber;
      s.number = value.boolean_value() ? -1 : 0;
      break;
    case VariantType::kByte:
    case VariantType::kInteger:
    case VariantType::kLong:
      s.kind = Scalar::Kind::kNumber;
      s.number = static_cast<double>(value.integer_value());
      break;
    case VariantType::kCurrency:
      s.kind = Scalar::Kind::kNumber;
      s.number = static_cast<double>(value.integer_value()) / 10000.0;
      break;
    case VariantType::kSingle:
    case VariantType::kDouble:
    case VariantType::kDate:
      s.kind = Scalar::Kind::kNumber;
      s.number = value.real_value();
      break;
    case VariantType::kDecimal:
      s.kind = Scalar::Kind::kNumber;
      s.number = ParseDouble(value.text_value());
      break;
    case VariantType::kString:
      s.kind = Scalar::Kind::kText;
      s.text = value.text_value();
      break;
  }
  return s;
}

std::string NumberSql(double number) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  return std::string(buffer, result.ptr);
}

std::string QuotedSql(std::string_view text) {
  std::string out = "'";
  for (char c : text) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "' COLLATE JET";
}

}  // namespace

struct Criteria::Node {
  enum class Type { kAnd, kOr, kNot, kCompare, kIsNull, kIsNotNull, kTruth };
  Type type = Type::kTruth;
  std::string op;  // of a comparison
  Operand left, right;
  std::unique_ptr<Node> a, b;
};

namespace {

using Node = Criteria::Node;

bool IsReservedWord(const Token& token) {
  for (std::string_view word : {"AND", "OR", "NOT", "IS", "NULL", "TRUE", "FALSE", "YES", "NO",
                                "ON", "OFF", "LIKE", "BETWEEN", "IN", "XOR", "EQV", "IMP"}) {
    if (token.IsWord(word)) return true;
  }
  return false;
}

class Parser {
 public:
  Parser(const std::vector<Token>& tokens, size_t begin, size_t end, std::string_view text,
         const TableData& table)
      : tokens_(tokens), pos_(begin), end_(end), text_(text), table_(table) {}

  std::unique_ptr<Node> ParseAll() {
    auto node = ParseOr();
    if (pos_ != end_) throw SyntaxError("unexpected '" + Peek().text + "'");
    return node;
  }

 private:
  const Token& Peek() const { return pos_ < end_ ? tokens_[pos_] : end_token_; }
  const Token& Next() {
    const Token& token = Peek();
    if (pos_ < end_) ++pos_;
    return token;
  }

  std::unique_ptr<Node> Binary(Node::Type type, std::unique_ptr<Node> a, std::unique_ptr<Node> b) {
    auto node = std::make_unique<Node>();
    node->type = type;
    node->a = std::move(a);
    node->b = std::move(b);
    return node;
  }

  std::unique_ptr<Node> ParseOr() {
    auto node = ParseAnd();
    while (Peek().IsWord("OR")) {
      Next();
      node = Binary(Node::Type::kOr, std::move(node), ParseAnd());
    }
    return node;
  }

  std::unique_ptr<Node> ParseAnd() {
    auto node = ParseNot();
    while (Peek().IsWord("AND")) {
      Next();
      node = Binary(Node::Type::kAnd, std::move(node), ParseNot());
    }
    return node;
  }

  std::unique_ptr<Node> ParseNot() {
    if (Peek().IsWord("NOT")) {
      Next();
      return Binary(Node::Type::kNot, ParseNot(), nullptr);
    }
    return ParseCondition();
  }

  std::unique_ptr<Node> ParseCondition() {
    if (Peek().IsPunct('(')) {
      Next();
      auto node = ParseOr();
      if (!Next().IsPunct(')')) throw SyntaxError("missing ')'");
      return node;
    }
    auto node = std::make_unique<Node>();
    node->left = ParseOperand();
    const Token& token = Peek();
    if (token.kind == Token::Kind::kOperator) {
      Next();
      node->type = Node::Type::kCompare;
      node->op = token.text;
      node->right = ParseOperand();
      CheckKinds(node->left, node->right);
    } else if (token.IsWord("IS")) {
      Next();
      node->type = Node::Type::kIsNull;
      if (Peek().IsWord("NOT")) {
        Next();
        node->type = Node::Type::kIsNotNull;
      }
      if (!Next().IsWord("NULL")) throw SyntaxError("missing NULL after IS");
    } else {
      // A lone value is a condition when it is a number other than 0.
      node->type = Node::Type::kTruth;
      Operand zero;
      zero.kind = Operand::Kind::kNumber;
      zero.value_kind = ValueKind::kNumber;
      CheckKinds(node->left, zero);
    }
    return node;
  }

  Operand ParseOperand() {
    Operand operand;
    const Token& token = Next();
    if (token.kind == Token::Kind::kName ||
        (token.kind == Token::Kind::kWord && !IsReservedWord(token))) {
      auto column = table_.FindColumn(token.text);
      if (!column) {
        throw RuntimeError("Unknown field '" + token.text + "' in criteria '" + std::string(text_) +
                           "' on table " + table_.name() + ".");
      }
      operand.kind = Operand::Kind::kColumn;
      operand.column = *column;
      operand.value_kind = KindOf(table_.columns()[*column].type);
    } else if (token.kind == Token::Kind::kText) {
      operand.kind = Operand::Kind::kText;
      operand.value_kind = ValueKind::kText;
      operand.text = token.text;
    } else if (token.IsWord("NULL")) {
      operand.kind = Operand::Kind::kNull;
    } else if (token.IsWord("TRUE") || token.IsWord("YES") || token.IsWord("ON")) {
      operand = Number(-1);
    } else if (token.IsWord("FALSE") || token.IsWord("NO") || token.IsWord("OFF")) {
      operand = Number(0);
    } else if (token.IsPunct('-') || token.IsPunct('+')) {
      const Token& number = Next();
      if (number.kind != Token::Kind::kNumber) throw SyntaxError("sign without a number");
      operand = Number(ParseDouble(number.text));
      if (token.IsPunct('-')) operand.number = -operand.number;
    } else if (token.kind == Token::Kind::kNumber) {
      operand = Number(ParseDouble(token.text));
    } else {
      throw SyntaxError("unexpected '" + token.text + "'");
    }
    return operand;
  }

  static Operand Number(double value) {
    Operand operand;
    operand.kind = Operand::Kind::kNumber;
    operand.value_kind = ValueKind::kNumber;
    operand.number = value;
    return operand;
  }

  void CheckKinds(const Operand& a, const Operand& b) const {
    if (a.kind == Operand::Kind::kNull || b.kind == Operand::Kind::kNull) return;
    if (a.value_kind == ValueKind::kAny || b.value_kind == ValueKind::kAny) return;
    if (a.value_kind != b.value_kind) ThrowCriteriaMismatch(text_);
  }

  const std::vector<Token>& tokens_;
  size_t pos_;
  size_t end_;
  std::string_view text_;
  const TableData& table_;
  Token end_token_;
};

Scalar OperandValue(const Operand& operand, const TableData& table, size_t row) {
  Scalar s;
  switch (operand.kind) {
    case Operand::Kind::kColumn:
      return ScalarOf(table.Cell(row, operand.column));
    case Operand::Kind::kNumber:
      s.kind = Scalar::Kind::kNumber;
      s.number = operand.number;
      break;
    case Operand::Kind::kText:
      s.kind = Scalar::Kind::kText;
      s.text = operand.text;
      break;
    case Operand::Kind::kNull:
      break;
  }
  return s;
}

Truth FromBool(bool value) { return value ? Truth::kTrue : Truth::kFalse; }

Truth Compare(const std::string& op, const Scalar& a, const Scalar& b, std::string_view text) {
  if (a.kind == Scalar::Kind::kNull || b.kind == Scalar::Kind::kNull) return Truth::kNull;
  if (a.kind != b.kind) ThrowCriteriaMismatch(text);
  int c = a.kind == Scalar::Kind::kText ? CompareText(a.text, b.text)
          : (a.number < b.number)       ? -1
                                        : (a.number > b.number);
  if (op == "=") return FromBool(c == 0);
  if (op == "<>") return FromBool(c != 0);
  if (op == "<") return FromBool(c < 0);
  if (op == ">") return FromBool(c > 0);
  if (op == "<=") return FromBool(c <= 0);
  return FromBool(c >= 0);
}

Truth Eval(const Node& node, const TableData& table, size_t row, std::string_view text) {
  switch (node.type) {
    case Node::Type::kAnd: {
      Truth a = Eval(*node.a, table, row, text);
      if (a == Truth::kFalse) return a;
      Truth b = Eval(*node.b, table, row, text);
      if (b == Truth::kFalse) return b;
      return a == Truth::kNull || b == Truth::kNull ? Truth::kNull : Truth::kTrue;
    }
    case Node::Type::kOr: {
      Truth a = Eval(*node.a, table, row, text);
      if (a == Truth::kTrue) return a;
      Truth b = Eval(*node.b, table, row, text);
      if (b == Truth::kTrue) return b;
      return a == Truth::kNull || b == Truth::kNull ? Truth::kNull : Truth::kFalse;
    }
    case Node::Type::kNot: {
      Truth a = Eval(*node.a, table, row, text);
      if (a == Truth::kNull) return a;
      return a == Truth::kTrue ? Truth::kFalse : Truth::kTrue;
    }
    case Node::Type::kCompare:
      return Compare(node.op, OperandValue(node.left, table, row),
                     OperandValue(node.right, table, row), text);
    case Node::Type::kIsNull:
    case Node::Type::kIsNotNull: {
      bool is_null = OperandValue(node.left, table, row).kind == Scalar::Kind::kNull;
      return FromBool(is_null == (node.type == Node::Type::kIsNull));
    }
    case Node::Type::kTruth: {
      Scalar zero;
      zero.kind = Scalar::Kind::kNumber;
      return Compare("<>", OperandValue(node.left, table, row), zero, text);
    }
  }
  return Truth::kNull;
}

std::string OperandSql(const Operand& operand) {
  switch (operand.kind) {
    case Operand::Kind::kColumn:
      return "c" + std::to_string(operand.column);
    case Operand::Kind::kNumber:
      return NumberSql(operand.number);
    case Operand::Kind::kText:
      return QuotedSql(operand.text);
    case Operand::Kind::kNull:
      break;
  }
  return "NULL";
}

std::string NodeSql(const Node& node) {
  switch (node.type) {
    case Node::Type::kAnd:
      return "(" + NodeSql(*node.a) + " AND " + NodeSql(*node.b) + ")";
    case Node::Type::kOr:
      return "(" + NodeSql(*node.a) + " OR " + NodeSql(*node.b) + ")";
    case Node::Type::kNot:
      return "(NOT " + NodeSql(*node.a) + ")";
    case Node::Type::kCompare:
      return "(" + OperandSql(node.left) + " " + node.op + " " + OperandSql(node.right) + ")";
    case Node::Type::kIsNull:
      return "(" + OperandSql(node.left) + " IS NULL)";
    case Node::Type::kIsNotNull:
      return "(" + OperandSql(node.left) + " IS NOT NULL)";
    case Node::Type::kTruth:
      return "(" + OperandSql(node.left) + " <> 0)";
  }
  return "NULL";
}

void CollectEqualities(const Node& node, std::vector<ColumnEquality>& out) {
  if (node.type == Node::Type::kAnd) {
    CollectEqualities(*node.a, out);
    CollectEqualities(*node.b, out);
    return;
  }
  if (node.type != Node::Type::kCompare || node.op != "=") return;
  const Operand* column = &node.left;
  const Operand* constant = &node.right;
  if (column->kind != Operand::Kind::kColumn) std::swap(column, constant);
  if (column->kind != Operand::Kind::kColumn) return;
  if (constant->kind == Operand::Kind::kNumber) {
    out.push_back(ColumnEquality{column->column, constant->number});
  } else if (constant->kind == Operand::Kind::kText) {
    out.push_back(ColumnEquality{column->column, constant->text});
  }
}

// What an operand can be on some row: Null only, numbers only, texts only,
// or both.
enum class Kinds { kNone, kNumbers, kTexts, kBoth };

Kinds KindsOf(const Operand& operand, const TableData& table) {
  switch (operand.kind) {
    case Operand::Kind::kColumn: {
      const TableData::Content& content = table.content(operand.column);
      if (content.numbers && content.texts) return Kinds::kBoth;
      if (content.numbers) return Kinds::kNumbers;
      return content.texts ? Kinds::kTexts : Kinds::kNone;
    }
    case Operand::Kind::kNumber:
      return Kinds::kNumbers;
    case Operand::Kind::kText:
      return Kinds::kTexts;
    case Operand::Kind::kNull:
      break;
  }
  return Kinds::kNone;
}

bool KindsAgree(Kinds a, Kinds b) {
  if (a == Kinds::kNone || b == Kinds::kNone) return true;
  return a == b && a != Kinds::kBoth;
}

bool NodeNeverMismatches(const Node& node, const TableData& table) {
  switch (node.type) {
    case Node::Type::kAnd:
    case Node::Type::kOr:
      return NodeNeverMismatches(*node.a, table) && NodeNeverMismatches(*node.b, table);
    case Node::Type::kNot:
      return NodeNeverMismatches(*node.a, table);
    case Node::Type::kCompare:
      return KindsAgree(KindsOf(node.left, table), KindsOf(node.right, table));
    case Node::Type::kTruth:
      return KindsAgree(KindsOf(node.left, table), Kinds::kNumbers);
    case Node::Type::kIsNull:
    case Node::Type::kIsNotNull:
      return true;
  }
  return false;
}

}  // namespace

double CriteriaNumber(const Variant& value) { return ScalarOf(value).number; }

void ThrowCriteriaMismatch(std::string_view criteria) {
  throw RuntimeError("Data type mismatch in criteria expression '" + std::string(criteria) + "'.");
}

Criteria::Criteria(std::unique_ptr<Node> root, std::string text)
    : root_(std::move(root)), text_(std::move(text)) {}
Criteria::Criteria(Criteria&&) noexcept = default;
Criteria& Criteria::operator=(Criteria&&) noexcept = default;
Criteria::~Criteria() = default;

Criteria Criteria::Parse(std::string_view text, const TableData& table) {
  std::vector<Token> tokens;
  try {
    tokens = Tokenize(text);
  } catch (const SyntaxError&) {
    throw RuntimeError("Syntax error in criteria expression '" + std::string(text) + "'.");
  }
  return Parse(tokens, 0, tokens.size() - 1, text, table);
}

Criteria Criteria::Parse(const std::vector<Token>& tokens, size_t begin, size_t end,
                         std::string_view text, const TableData& table) {
  try {
    return Criteria(Parser(tokens, begin, end, text, table).ParseAll(), std::string(text));
  } catch (const SyntaxError&) {
    throw RuntimeError("Syntax error in criteria expression '" + std::string(text) + "'.");
  }
}

Truth Criteria::Evaluate(const TableData& table, size_t row) const {
  return Eval(*root_, table, row, text_);
}

std::string Criteria::ToSql() const { return NodeSql(*root_); }

std::vector<ColumnEquality> Criteria::Equalities() const {
  std::vector<ColumnEquality> equalities;
  CollectEqualities(*root_, equalities);
  return equalities;
}

bool Criteria::NeverMismatches(const TableData& table) const {
  return NodeNeverMismatches(*root_, table);
}

}  // namespace quorvane::db
