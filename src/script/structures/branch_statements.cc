#include "script/structures/branch_statements.h"

#include "script/script_files.h"
#include "script/script_session.h"

namespace quorvane {

std::string SideParameter(const StructureContext& structure, const MessageSpelling& spelling) {
  return std::string(spelling.side_query) + "(" + structure.identifier + ")";
}

void WriteSendLines(const StructureContext& structure, int column, const MessageSpelling& spelling,
                    int16_t number, std::string_view parameter) {
  structure.Write(column, std::string(spelling.send) + "(" + std::to_string(number) + "," +
                              std::string(parameter) + ");");
  structure.Write(column, spelling.handle);
}

BranchStatements::BranchStatements(const StructureContext& structure, int column,
                                   const MessageSpelling& spelling, std::string parameter)
    : structure_(structure),
      column_(column),
      spelling_(spelling),
      parameter_(std::move(parameter)) {}

void BranchStatements::Add(std::string_view statement) {
  if (!structure_.multiplayer) {
    structure_.Write(column_, statement);
  } else if (case_open_) {
    AddMultiplayerEvent(structure_.session, statement, false);
  } else {
    // A refused case (too many events) still gets its send lines, with 0.
    int16_t number = AddMultiplayerEvent(structure_.session, statement, true);
    WriteSendLines(structure_, column_, spelling_, number, parameter_);
    case_open_ = true;
  }
}

}  // namespace quorvane
