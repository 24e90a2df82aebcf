// The quorvane command: compiles missions of a mission-design database into
// the game's FIT and script files, checks them, lists and converts databases.

#include <CLI/CLI.hpp>

#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/compile_run.h"
#include "cli/convert.h"
#include "cli/list_missions.h"
#include "cli/picture_commands.h"
#include "cli/reporter.h"
#include "platform/command_line.h"
#include "platform/date_text.h"
#include "platform/interrupts.h"
#include "platform/shown_text.h"
#include "quorvane/version.h"

namespace {

using quorvane::cli::ExitStatus;

constexpr std::array<std::string_view, 10> kSubcommands = {
    "fit", "script", "build", "check", "list", "identifier", "dump", "convert", "map", "report"};

struct Arguments {
  quorvane::cli::CompileOptions compile;
  std::vector<int> missions;
  bool all = false;
  bool verbose = false;
  std::string message_format = "text";
  bool json = false;
  bool force = false;
  std::string table;
  std::string text;
  std::string target;
  std::string picture;  // the file of map and report
};

// Every usage error is one line; it points at the help of the subcommand.
int UsageError(const std::string& text, std::string_view subcommand = {}) {
  std::cerr << "quorvane: error: " << quorvane::Shown(text) << "; run 'quorvane "
            << (subcommand.empty() ? "" : std::string(subcommand) + " ") << "--help' for usage\n";
  return ExitStatus::kUsageError;
}

void AddDatabase(CLI::App& command, Arguments& args) {
  command.add_option("DATABASE", args.compile.database, "Mission database file")->required();
}

// The options of the subcommands that compile.
void AddReportOptions(CLI::App& command, Arguments& args) {
  command.add_option("--date", args.compile.date, "Date of the header lines, YYYY-MM-DD")
      ->check([](const std::string& date) {
        return quorvane::IsCreationDate(date) ? std::string()
                                              : "the date must be a real date as YYYY-MM-DD";
      });
  command
      .add_option("--message-format", args.message_format,
                  "text (default) or json: JSON Lines on standard error")
      ->check(CLI::IsMember({"text", "json"}));
  command.add_flag("-v,--verbose", args.verbose, "Note each file written");
}

void AddOutputOption(CLI::App& command, Arguments& args) {
  command.add_option("-o,--output", args.compile.output_folder,
                     "Output folder (default: the current folder)");
}

CLI::Option* AddMissionArgument(CLI::App& command, Arguments& args) {
  return command.add_option("MISSION", args.missions, "Mission number (MissionID)")
      ->required()
      ->expected(1)
      ->check(CLI::Range(-32768, 32767));
}

void AddMissionChoice(CLI::App& command, Arguments& args) {
  auto* missions = command.add_option("MISSION", args.missions, "Mission numbers")
                       ->check(CLI::Range(-32768, 32767));
  command.add_flag("--all", args.all, "Every mission of the database")->excludes(missions);
}

// The subcommand named first on the command line, if it is one.
std::string_view NamedSubcommand(int argc, char** argv) {
  if (argc < 2) return {};
  std::string_view first = argv[1];
  for (std::string_view name : kSubcommands) {
    if (first == name) return name;
  }
  return {};
}

// True when an argument is -o or --output, with or without its value.
bool NamesOutputFolder(int argc, char** argv) {
  for (int i = 2; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--") return false;
    if (argument.starts_with("-o") || argument == "--output" || argument.starts_with("--output=")) {
      return true;
    }
  }
  return false;
}

// SOURCE_DATE_EPOCH, when set, must be a usable number of seconds.
bool SourceDateEpochIsValid() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  return epoch == nullptr || *epoch == '\0' || quorvane::IsSourceDateEpoch(epoch);
}

// The last line of a run that a signal ends, after its unfinished files went.
void SayInterrupted(int signal, bool json) {
  std::string name = signal == SIGINT ? "SIGINT" : "SIGTERM";
  std::string text = "interrupted by " + name + "; this run's unfinished files were removed";
  std::string line = json ? "{\"kind\":\"note\",\"mission\":null,\"text\":\"" + text + "\"}\n"
                          : "quorvane: note: " + text + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

int Compile(const Arguments& args, bool check) {
  quorvane::cli::MissionChoice choice{{}, args.all};
  for (int id : args.missions) choice.ids.push_back(static_cast<int16_t>(id));
  auto reporter = args.message_format == "json"
                      ? quorvane::cli::MakeJsonReporter(std::cerr)
                      : quorvane::cli::MakeTextReporter(std::cerr, args.verbose);
  return check ? quorvane::cli::CheckMissions(args.compile, choice, *reporter)
               : quorvane::cli::CompileMissions(args.compile, choice, *reporter);
}

int Run(int argc, char** argv) {
  CLI::App app(
      "Compiles missions of a mission-design database (Jet .mdb or SQLite) into the "
      "game's mission FIT file and ABL mission script.",
      "quorvane");
  app.set_version_flag("--version", "quorvane " QUORVANE_VERSION);
  app.require_subcommand(1);
  // A path such as "/missions/campaign.mdb" is a path on Windows too, never
  // an option; subcommands inherit this.
  app.allow_windows_style_options(false);
  Arguments args;

  CLI::App* fit = app.add_subcommand("fit", "Write the mission FIT file");
  AddDatabase(*fit, args);
  AddMissionArgument(*fit, args);
  AddOutputOption(*fit, args);
  AddReportOptions(*fit, args);

  CLI::App* script = app.add_subcommand("script", "Write the mission script (module and includes)");
  AddDatabase(*script, args);
  AddMissionArgument(*script, args);
  AddOutputOption(*script, args);
  AddReportOptions(*script, args);

  CLI::App* build = app.add_subcommand("build", "Write the FIT file and the script of missions");
  AddDatabase(*build, args);
  AddMissionChoice(*build, args);
  AddOutputOption(*build, args);
  AddReportOptions(*build, args);

  CLI::App* check = app.add_subcommand(
      "check", "Compile missions as build does, into a temporary folder that is removed");
  AddDatabase(*check, args);
  AddMissionChoice(*check, args);
  AddReportOptions(*check, args);

  CLI::App* list = app.add_subcommand("list", "List the missions of a database");
  AddDatabase(*list, args);
  list->add_flag("--json", args.json, "Print the missions as a JSON array");

  CLI::App* identifier =
      app.add_subcommand("identifier", "Print the ABL identifier made from a text");
  identifier->add_option("TEXT", args.text, "Designer's text")->required();

  CLI::App* dump =
      app.add_subcommand("dump", "Print the tables of a database, or one table's rows");
  AddDatabase(*dump, args);
  dump->add_option("TABLE", args.table, "Table name");

  CLI::App* convert = app.add_subcommand(
      "convert", "Copy every table of a database into a new SQLite database, or SQL text (.sql)");
  convert->add_option("SOURCE", args.compile.database, "Database to copy")->required();
  convert->add_option("TARGET", args.target, "New SQLite file, or a name ending in .sql")
      ->required();
  convert->add_flag("--force", args.force, "Replace TARGET if it exists");

  CLI::App* map = app.add_subcommand(
      "map", "Draw a mission as an SVG picture, after checking it as check does");
  AddDatabase(*map, args);
  AddMissionArgument(*map, args);
  map->add_option("-o,--output", args.picture,
                  "SVG file (default: MissionFileName.svg in the current folder; - for standard "
                  "output)");

  CLI::App* report = app.add_subcommand(
      "report", "Write one HTML page of missions: check's verdict, map, forces, objectives");
  AddDatabase(*report, args);
  AddMissionChoice(*report, args);
  report->add_option("-o,--output", args.picture,
                     "HTML file (default: the database's name with .html; - for standard output)");

  std::string_view named = NamedSubcommand(argc, argv);
  if (argc >= 2 && argv[1][0] != '-' && named.empty()) {
    return UsageError("unknown subcommand '" + std::string(argv[1]) + "'");
  }
  if (named == "check" && NamesOutputFolder(argc, argv)) {
    return UsageError("check writes no files, so it takes no output folder (-o)", named);
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) return app.exit(error);  // --help, --version
    return UsageError(error.what(), named);
  }
  if ((build->parsed() || check->parsed() || report->parsed()) && !args.all &&
      args.missions.empty()) {
    return UsageError("mission numbers or --all are needed", named);
  }
  bool compiles = fit->parsed() || script->parsed() || build->parsed() || check->parsed();
  bool checks = compiles || map->parsed() || report->parsed();
  if (checks && args.compile.date.empty() && !SourceDateEpochIsValid()) {
    return UsageError("SOURCE_DATE_EPOCH must be a non-negative whole number of seconds, not '" +
                          std::string(std::getenv("SOURCE_DATE_EPOCH")) + "'",
                      named);
  }

  if (compiles || convert->parsed()) {
    bool json = args.message_format == "json";
    quorvane::interrupts::HandleInterrupts([json](int signal) { SayInterrupted(signal, json); });
  }
  try {
    args.compile.fit = !script->parsed();
    args.compile.script = !fit->parsed();
    if (compiles) return Compile(args, check->parsed());
    if (map->parsed()) {
      return quorvane::cli::DrawMissionMap(args.compile, static_cast<int16_t>(args.missions[0]),
                                           args.picture, std::cout, std::cerr);
    }
    if (report->parsed()) {
      quorvane::cli::MissionChoice choice{{}, args.all};
      for (int id : args.missions) choice.ids.push_back(static_cast<int16_t>(id));
      return quorvane::cli::WriteMissionReport(args.compile, choice, args.picture, std::cout,
                                               std::cerr);
    }
    if (list->parsed()) {
      if (args.json) {
        quorvane::cli::ListMissionsJson(args.compile.database, std::cout, std::cerr);
      } else {
        quorvane::cli::ListMissions(args.compile.database, std::cout, std::cerr);
      }
      return ExitStatus::kSuccess;
    }
    if (identifier->parsed())
      return quorvane::cli::PrintIdentifier(args.text, std::cout, std::cerr);
    if (convert->parsed()) {
      return quorvane::cli::ConvertDatabase(args.compile.database, args.target, args.force,
                                            std::cerr);
    }
    quorvane::cli::DumpDatabase(args.compile.database, args.table, std::cout, std::cerr);
    return ExitStatus::kSuccess;
  } catch (const quorvane::cli::SetupFailure& failure) {
    std::cerr << "quorvane: error: " << quorvane::Shown(failure.what()) << '\n';
    if (!failure.reason().empty()) {
      std::cerr << "quorvane: note: " << quorvane::Shown(failure.reason()) << '\n';
    }
    return ExitStatus::kOperationFailed;
  } catch (const std::exception& error) {
    std::cerr << "quorvane: runtime error: " << quorvane::Shown(error.what()) << '\n';
    return ExitStatus::kRuntimeError;
  }
}

}  // namespace

int main(int argc, char** argv) {
  quorvane::UseBinaryStandardStreams();
  std::vector<std::string> arguments = quorvane::Utf8Arguments(argc, argv);
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  return Run(static_cast<int>(arguments.size()), pointers.data());
}
