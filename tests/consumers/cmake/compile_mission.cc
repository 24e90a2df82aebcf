// A host written in C++ over quorvane/compiler.h: compiles the FIT file and
// the script of each mission given.
// Usage: compile_mission OUTPUT DATABASE_FOLDER DATABASE_NAME DATE MISSION...
#include <quorvane/compiler.h>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
  if (argc < 6) {
    std::cerr << "usage: " << argv[0] << " OUTPUT DATABASE_FOLDER DATABASE_NAME DATE MISSION...\n";
    return 64;
  }
  try {
    for (int i = 5; i < argc; ++i) {
      // One object per mission, as the command does: an object keeps its
      // counters from one mission to the next.
      quorvane::Compiler compiler([](quorvane::MessageStyle style, std::string_view,
                                     std::string_view text) {
        std::cerr << (style == quorvane::MessageStyle::kCritical ? "error: " : "") << text << '\n';
      });
      compiler.SetCreationDate(argv[4]);
      auto mission = static_cast<int16_t>(std::atoi(argv[i]));
      if (!compiler.WriteMissionFITFile(argv[1], argv[2], argv[3], mission) ||
          !compiler.WriteMissionScript(argv[1], argv[2], argv[3], mission)) {
        return 1;
      }
    }
  } catch (const quorvane::CompileError& error) {
    std::cerr << "runtime error: " << error.what() << '\n';
    return 2;
  }
  std::cout << "compiled with libquorvane " << quorvane::Compiler::Version() << '\n';
  return 0;
}
