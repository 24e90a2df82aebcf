#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace quorvane::cli {

// Exit statuses of the quorvane command.
enum ExitStatus : int {
  kSuccess = 0,
  kOperationFailed = 1,  // an operation returned False
  kRuntimeError = 2,
  kUsageError = 64,
};

struct CompileOptions {
  std::string database;
  std::string output_folder = ".";
  std::string date;  // "YYYY-MM-DD", empty for the default
  bool fit = true;
  bool script = true;
};

// Compiles each mission (FIT file and/or script files) and returns the worst status.
int CompileMissions(const CompileOptions& options, const std::vector<int16_t>& missions,
                    std::ostream& err);

// Every MissionID of the NewMissions table, in stored order.
std::vector<int16_t> AllMissionIds(const std::string& database);

// Prints the missions of a database, one per line, aligned.
void ListMissions(const std::string& database, std::ostream& out);

// Prints the table names, or one table: its columns, their types and its rows
// as tab-separated values ("\\N" for Null).
void DumpDatabase(const std::string& database, const std::string& table, std::ostream& out);

// Prints the ABL identifier made from a text (or shows its refusal).
int PrintIdentifier(const std::string& text, std::ostream& out, std::ostream& err);

// Splits a database file path into its folder ("." when none) and file name.
void SplitDatabasePath(const std::string& path, std::string& folder, std::string& name);

}  // namespace quorvane::cli
