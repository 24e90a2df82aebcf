#include "database/column_type.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace quorvane::db {
namespace {

// The declared type names of SQLite columns and the Access types they stand
// for; the first name of each type is the one a SQLite twin declares.
constexpr std::array<std::pair<std::string_view, ColumnType>, 39> kNames{{
    {"YESNO", ColumnType::kYesNo},        {"BIT", ColumnType::kYesNo},
    {"BOOLEAN", ColumnType::kYesNo},      {"LOGICAL", ColumnType::kYesNo},
    {"BYTE", ColumnType::kByte},          {"TINYINT", ColumnType::kByte},
    {"SMALLINT", ColumnType::kInteger},   {"SHORT", ColumnType::kInteger},
    {"INTEGER2", ColumnType::kInteger},   {"INTEGER", ColumnType::kLong},
    {"INT", ColumnType::kLong},           {"LONG", ColumnType::kLong},
    {"INTEGER4", ColumnType::kLong},      {"COUNTER", ColumnType::kLong},
    {"AUTOINCREMENT", ColumnType::kLong}, {"REAL", ColumnType::kSingle},
    {"SINGLE", ColumnType::kSingle},      {"FLOAT4", ColumnType::kSingle},
    {"FLOAT", ColumnType::kDouble},       {"DOUBLE", ColumnType::kDouble},
    {"FLOAT8", ColumnType::kDouble},      {"NUMBER", ColumnType::kDouble},
    {"CURRENCY", ColumnType::kCurrency},  {"MONEY", ColumnType::kCurrency},
    {"DECIMAL", ColumnType::kDecimal},    {"NUMERIC", ColumnType::kDecimal},
    {"DATETIME", ColumnType::kDateTime},  {"DATE", ColumnType::kDateTime},
    {"TIME", ColumnType::kDateTime},      {"TEXT", ColumnType::kText},
    {"VARCHAR", ColumnType::kText},       {"CHAR", ColumnType::kText},
    {"LONGTEXT", ColumnType::kMemo},      {"MEMO", ColumnType::kMemo},
    {"GUID", ColumnType::kGuid},          {"BINARY", ColumnType::kBinary},
    {"VARBINARY", ColumnType::kBinary},   {"LONGBINARY", ColumnType::kOle},
    {"OLEOBJECT", ColumnType::kOle},
}};

}  // namespace

ColumnType ColumnTypeFromDeclared(std::string_view declared) {
  // Only the type name counts: "TEXT(255)" and "DECIMAL(18, 4)" name TEXT and
  // DECIMAL.
  std::string name;
  for (char c : declared) {
    if (c == '(') break;
    if (!std::isspace(static_cast<unsigned char>(c))) {
      name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  for (const auto& [text, type] : kNames) {
    if (name == text) return type;
  }
  return ColumnType::kUntyped;
}

std::string_view DeclaredTypeName(ColumnType type) {
  for (const auto& [text, named] : kNames) {
    if (named == type) return text;
  }
  return "";
}

std::string_view ColumnTypeName(ColumnType type) {
  switch (type) {
    case ColumnType::kYesNo:
      return "YesNo";
    case ColumnType::kByte:
      return "Byte";
    case ColumnType::kInteger:
      return "Integer";
    case ColumnType::kLong:
      return "Long";
    case ColumnType::kSingle:
      return "Single";
    case ColumnType::kDouble:
      return "Double";
    case ColumnType::kCurrency:
      return "Currency";
    case ColumnType::kDecimal:
      return "Decimal";
    case ColumnType::kDateTime:
      return "DateTime";
    case ColumnType::kText:
      return "Text";
    case ColumnType::kMemo:
      return "Memo";
    case ColumnType::kGuid:
      return "GUID";
    case ColumnType::kBinary:
      return "Binary";
    case ColumnType::kOle:
      return "OLE";
    case ColumnType::kUntyped:
      break;
  }
  return "Untyped";
}

ValueKind KindOf(ColumnType type) {
  switch (type) {
    case ColumnType::kText:
    case ColumnType::kMemo:
    case ColumnType::kGuid:
      return ValueKind::kText;
    case ColumnType::kBinary:
    case ColumnType::kOle:
    case ColumnType::kUntyped:
      return ValueKind::kAny;
    default:
      return ValueKind::kNumber;
  }
}

}  // namespace quorvane::db
