#include "mission_edits.h"

#include <charconv>
#include <cstdlib>
#include <sstream>

namespace quorvane::fuzz {
namespace {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\0') {
      out += "\\0";
    } else {
      out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char next = text[++i];
    out += next == 'n' ? '\n' : next == '0' ? '\0' : next;
  }
  return out;
}

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

std::string Unhex(std::string_view text) {
  std::string out;
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    unsigned value = 0;
    std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
    out += static_cast<char>(value);
  }
  return out;
}

constexpr const char* kValueNames[] = {"null", "int", "real", "text", "blob"};

bool ParseLine(const std::string& line, Edit& edit) {
  std::istringstream in(line);
  std::string kind;
  if (!(in >> kind >> edit.table >> edit.rowid)) return false;
  if (kind == "del") {
    edit.kind = Edit::Kind::kDelete;
    return true;
  }
  if (kind == "dup") {
    edit.kind = Edit::Kind::kDuplicate;
    return true;
  }
  std::string value_name;
  if (kind != "set" || !(in >> edit.column >> value_name)) return false;
  edit.kind = Edit::Kind::kSet;
  int index = 0;
  for (const char* name : kValueNames) {
    if (value_name == name) break;
    ++index;
  }
  if (index == 5) return false;
  edit.value_kind = static_cast<Edit::Value>(index);
  std::string rest;
  if (in.peek() == ' ') in.get();
  std::getline(in, rest);
  edit.value = edit.value_kind == Edit::Value::kText   ? Unescape(rest)
               : edit.value_kind == Edit::Value::kBlob ? Unhex(rest)
                                                       : rest;
  return true;
}

std::string FormatLine(const Edit& edit) {
  std::string head = edit.table + " " + std::to_string(edit.rowid);
  switch (edit.kind) {
    case Edit::Kind::kDelete:
      return "del " + head;
    case Edit::Kind::kDuplicate:
      return "dup " + head;
    case Edit::Kind::kSet:
      break;
  }
  std::string line =
      "set " + head + " " + edit.column + " " + kValueNames[static_cast<int>(edit.value_kind)];
  switch (edit.value_kind) {
    case Edit::Value::kNull:
      return line;
    case Edit::Value::kText:
      return line + " " + Escape(edit.value);
    case Edit::Value::kBlob:
      return line + " " + Hex(edit.value);
    default:
      return line + " " + edit.value;
  }
}

std::string Quoted(const std::string& name) {
  std::string out = "\"";
  for (char c : name) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

void Run(sqlite3* db, const std::string& sql, const Edit& edit, const std::string& root) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt);
    return;
  }
  sqlite3_bind_int64(stmt, 1, edit.rowid);
  std::string text = edit.value;
  for (size_t at; (at = text.find("@ROOT@")) != std::string::npos;) text.replace(at, 6, root);
  switch (edit.value_kind) {
    case Edit::Value::kNull:
      sqlite3_bind_null(stmt, 2);
      break;
    case Edit::Value::kInteger:
      sqlite3_bind_int64(stmt, 2, std::strtoll(edit.value.c_str(), nullptr, 10));
      break;
    case Edit::Value::kReal:
      sqlite3_bind_double(stmt, 2, std::strtod(edit.value.c_str(), nullptr));
      break;
    case Edit::Value::kText:
      sqlite3_bind_text(stmt, 2, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
      break;
    case Edit::Value::kBlob:
      sqlite3_bind_blob(stmt, 2, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
      break;
  }
  sqlite3_step(stmt);
  sqlite3_finalize(stmt);
}

}  // namespace

MissionEdits ParseEdits(const std::string& text) {
  MissionEdits edits;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("mission ", 0) == 0) {
      int mission = 0;
      auto result = std::from_chars(line.data() + 8, line.data() + line.size(), mission);
      if (result.ec == std::errc() && mission >= -32768 && mission <= 32767) {
        edits.mission = static_cast<int16_t>(mission);
      }
      continue;
    }
    Edit edit;
    if (ParseLine(line, edit)) edits.edits.push_back(std::move(edit));
  }
  return edits;
}

std::string FormatEdits(const MissionEdits& edits) {
  std::string text = "mission " + std::to_string(edits.mission) + "\n";
  for (const Edit& edit : edits.edits) text += FormatLine(edit) + "\n";
  return text;
}

void ApplyEdits(sqlite3* db, const MissionEdits& edits, const std::string& root) {
  for (const Edit& edit : edits.edits) {
    std::string table = Quoted(edit.table);
    switch (edit.kind) {
      case Edit::Kind::kDelete:
        Run(db, "DELETE FROM " + table + " WHERE rowid = ?1", edit, root);
        break;
      case Edit::Kind::kDuplicate:
        Run(db, "INSERT INTO " + table + " SELECT * FROM " + table + " WHERE rowid = ?1", edit,
            root);
        break;
      case Edit::Kind::kSet:
        Run(db, "UPDATE " + table + " SET " + Quoted(edit.column) + " = ?2 WHERE rowid = ?1", edit,
            root);
        break;
    }
  }
}

}  // namespace quorvane::fuzz
