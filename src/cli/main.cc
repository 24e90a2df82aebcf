// The quorvane command: compiles missions of a mission-design database into
// the game's FIT and script files.

#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/commands.h"
#include "platform/date_text.h"
#include "platform/runtime_error.h"
#include "quorvane/version.h"

namespace {

using quorvane::cli::ExitStatus;

struct Arguments {
  quorvane::cli::CompileOptions compile;
  std::vector<int> missions;
  bool all = false;
  std::string table;
  std::string text;
};

void AddOutputOptions(CLI::App& command, Arguments& args) {
  command.add_option("-o,--output", args.compile.output_folder,
                     "Output folder (default: the current folder)");
  command.add_option("--date", args.compile.date, "Date of the header lines, YYYY-MM-DD")
      ->check([](const std::string& date) {
        return quorvane::IsCreationDate(date) ? std::string() : "the date must be YYYY-MM-DD";
      });
}

CLI::Option* AddMissionArgument(CLI::App& command, int& mission) {
  return command.add_option("MISSION", mission, "Mission number (MissionID)")
      ->required()
      ->check(CLI::Range(-32768, 32767));
}

int Run(int argc, char** argv) {
  CLI::App app(
      "Compiles a mission of a mission-design database (Jet .mdb or SQLite) into the "
      "game's mission FIT file and ABL mission script.",
      "quorvane");
  app.set_version_flag("--version", "quorvane " QUORVANE_VERSION);
  app.require_subcommand(1);
  Arguments args;
  int mission = 0;

  CLI::App* fit = app.add_subcommand("fit", "Write the mission FIT file");
  fit->add_option("DATABASE", args.compile.database, "Mission database file")->required();
  AddMissionArgument(*fit, mission);
  AddOutputOptions(*fit, args);

  CLI::App* script = app.add_subcommand("script", "Write the mission script (module and includes)");
  script->add_option("DATABASE", args.compile.database, "Mission database file")->required();
  AddMissionArgument(*script, mission);
  AddOutputOptions(*script, args);

  CLI::App* build = app.add_subcommand("build", "Write the FIT file and the script of missions");
  build->add_option("DATABASE", args.compile.database, "Mission database file")->required();
  auto* missions = build->add_option("MISSION", args.missions, "Mission numbers")
                       ->check(CLI::Range(-32768, 32767));
  build->add_flag("--all", args.all, "Every mission of the database")->excludes(missions);
  AddOutputOptions(*build, args);

  CLI::App* list = app.add_subcommand("list", "List the missions of a database");
  list->add_option("DATABASE", args.compile.database, "Mission database file")->required();

  CLI::App* identifier =
      app.add_subcommand("identifier", "Print the ABL identifier made from a text");
  identifier->add_option("TEXT", args.text, "Designer's text")->required();

  CLI::App* dump =
      app.add_subcommand("dump", "Print the tables of a database, or one table's rows");
  dump->add_option("DATABASE", args.compile.database, "Mission database file")->required();
  dump->add_option("TABLE", args.table, "Table name");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    int status = app.exit(error);
    return status == 0 ? ExitStatus::kSuccess : ExitStatus::kUsageError;
  }
  if (build->parsed() && !args.all && args.missions.empty()) {
    std::cerr << "quorvane: error: build needs mission numbers or --all\n"
              << "Run with --help for more information.\n";
    return ExitStatus::kUsageError;
  }

  try {
    if (fit->parsed() || script->parsed()) {
      args.compile.fit = fit->parsed();
      args.compile.script = script->parsed();
      return quorvane::cli::CompileMissions(args.compile, {static_cast<int16_t>(mission)},
                                            std::cerr);
    }
    if (build->parsed()) {
      std::vector<int16_t> ids;
      if (args.all) {
        ids = quorvane::cli::AllMissionIds(args.compile.database);
      } else {
        for (int id : args.missions) ids.push_back(static_cast<int16_t>(id));
      }
      return quorvane::cli::CompileMissions(args.compile, ids, std::cerr);
    }
    if (list->parsed()) {
      quorvane::cli::ListMissions(args.compile.database, std::cout);
      return ExitStatus::kSuccess;
    }
    if (identifier->parsed())
      return quorvane::cli::PrintIdentifier(args.text, std::cout, std::cerr);
    quorvane::cli::DumpDatabase(args.compile.database, args.table, std::cout);
    return ExitStatus::kSuccess;
  } catch (const std::exception& error) {
    std::cerr << "quorvane: runtime error: " << error.what() << '\n';
    return ExitStatus::kRuntimeError;
  }
}

}  // namespace

int main(int argc, char** argv) { return Run(argc, argv); }
