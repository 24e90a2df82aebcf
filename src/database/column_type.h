#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::db {

// The Access type of a column. It decides the variant subtype of the values
// read from it and how criteria may compare it.
enum class ColumnType {
  kYesNo,
  kByte,
  kInteger,
  kLong,
  kSingle,
  kDouble,
  kCurrency,
  kDecimal,
  kDateTime,
  kText,
  kMemo,
  kGuid,
  kBinary,
  kOle,
  kUntyped,  // a SQLite column with no (or an unknown) declared type
};

// How criteria see a column: text compares with text, numbers with numbers.
enum class ValueKind { kText, kNumber, kAny };

struct ColumnInfo {
  std::string name;
  ColumnType type = ColumnType::kUntyped;
};

// The type a SQLite column declared as "TEXT(255)", "yesno", "DOUBLE", ...
// stands for.
ColumnType ColumnTypeFromDeclared(std::string_view declared);

// The name a SQLite twin declares a column of the type with ("YESNO",
// "SMALLINT", "INTEGER", "REAL", "FLOAT", "TEXT", "LONGTEXT", ...); empty for
// kUntyped.
std::string_view DeclaredTypeName(ColumnType type);

// The name of the type in table dumps: "YesNo", "Long", "DateTime", "Text", ...
std::string_view ColumnTypeName(ColumnType type);

ValueKind KindOf(ColumnType type);

}  // namespace quorvane::db
