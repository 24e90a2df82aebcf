#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

#include "database/database.h"
#include "database/database_cache.h"

namespace quorvane::cli {

// Exit statuses of the quorvane command.
enum ExitStatus : int {
  kSuccess = 0,
  kOperationFailed = 1,  // an operation returned False
  kRuntimeError = 2,
  kUsageError = 64,
};

// Prints the table names, or one table: its columns, their types and its rows
// as tab-separated values ("\\N" for Null).
void DumpDatabase(const std::string& database, const std::string& table, std::ostream& out,
                  std::ostream& err);

// Prints the ABL identifier made from a text (or shows its refusal).
int PrintIdentifier(const std::string& text, std::ostream& out, std::ostream& err);

// Splits a database file path into its folder ("." when none) and file name.
void SplitDatabasePath(const std::string& path, std::string& folder, std::string& name);

// A database that a command which only reads it cannot open, told as the
// compiling commands' setup check tells it: the compiler's message, and a note
// with the reason when the file exists. The command exits with status 1.
class SetupFailure : public std::runtime_error {
 public:
  SetupFailure(const std::string& message, std::string reason)
      : std::runtime_error(message), reason_(std::move(reason)) {}
  const std::string& reason() const { return reason_; }

 private:
  std::string reason_;
};

// Opens a database for the commands that only read it (list, dump, convert);
// a file that cannot be opened raises SetupFailure.
std::shared_ptr<db::Database> OpenForReading(const std::string& path);

// The databases of this run of the command: each file is loaded once, and
// every mission compiled from it reads the same loaded tables.
const std::shared_ptr<db::DatabaseCache>& LoadedDatabases();

// Runs `read` over the database, then notes what the database file's reader
// said about it (warnings of a damaged file), also when `read` fails: the
// note tells why.
void ReadNotingDiagnostics(db::Database& database, std::ostream& err,
                           const std::function<void()>& read);

}  // namespace quorvane::cli
