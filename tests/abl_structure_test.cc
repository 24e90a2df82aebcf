// Every reviewed script file of a mission whose script run ended well
// (tests/golden/<fixture>/<MissionID>/, "script: True") is structurally sound ABL: each block
// opened (if, switch, case, for, function, module) is closed by its own end line, "else" stands
// inside an "if", an "if" condition ends in "then", cases sit in a switch, and the main module's
// code ends with "endmodule." (only a comment line may follow).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/golden_files.h"
#include "support/mission_sql.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Trim(const std::string& text) {
  size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return "";
  size_t end = text.find_last_not_of(' ');
  return text.substr(start, end - start + 1);
}

// The block structure problems of one ABL file; empty when it is sound.
std::vector<std::string> BlockProblems(const std::vector<std::string>& lines) {
  struct Block {
    std::string opener;
    std::string closer;
  };
  static const std::vector<Block> kBlocks = {
      {"if", "endif;"},   {"switch", "endswitch;"},     {"case", "endcase;"},
      {"for", "endfor;"}, {"function", "endfunction;"}, {"module", "endmodule."},
  };
  std::vector<std::string> problems;
  std::vector<std::string> open;   // expected closers, innermost last
  bool condition_goes_on = false;  // an "if" condition continued on the next lines
  for (size_t number = 0; number < lines.size(); ++number) {
    const std::string line = Lower(Trim(lines[number].substr(0, lines[number].find("//"))));
    if (line.empty()) continue;
    const bool ends_in_then = line.size() >= 4 && line.substr(line.size() - 4) == "then";
    if (condition_goes_on) {
      condition_goes_on = !ends_in_then;
      continue;
    }
    const std::string word = line.substr(0, line.find_first_of(" (:;"));
    const std::string at = "line " + std::to_string(number + 1) + ": ";
    bool handled = false;
    for (const Block& block : kBlocks) {
      if (word == block.opener) {
        if (block.opener == "case" && (open.empty() || open.back() != "endswitch;")) {
          problems.push_back(at + "case outside a switch");
        }
        if (block.opener == "if") condition_goes_on = !ends_in_then;
        open.push_back(block.closer);
        handled = true;
      } else if (line == block.closer) {
        if (open.empty() || open.back() != block.closer) {
          problems.push_back(at + line + " closes " + (open.empty() ? "nothing" : open.back()));
        } else {
          open.pop_back();
        }
        handled = true;
      }
    }
    if (!handled && line == "else" && (open.empty() || open.back() != "endif;")) {
      problems.push_back(at + "else outside an if");
    }
  }
  if (condition_goes_on) problems.push_back("if without then");
  for (const std::string& closer : open) problems.push_back("missing " + closer);
  return problems;
}

TEST(AblStructureTest, EveryReviewedScriptFileIsSound) {
  fs::path golden = fs::path(testing::GoldenFolder(0)).parent_path().parent_path();
  int checked_missions = 0;
  for (const auto& folder : fs::recursive_directory_iterator(golden)) {
    // The captureable-vehicle fault of broken mission 219 stops the structure
    // include on purpose, leaving it incomplete.
    std::string transcript = testing::ReadFile((folder.path() / "messages.txt").string());
    if (transcript.find("\nscript: True\n") == std::string::npos ||
        folder.path() == golden / "broken" / "219") {
      continue;
    }
    SCOPED_TRACE(folder.path().string());
    ++checked_missions;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      std::string extension = entry.path().extension().string();
      if (extension != ".ABL" && extension != ".ABI") continue;
      SCOPED_TRACE(entry.path().filename().string());
      std::vector<std::string> lines = testing::ReadLines(entry.path().string());
      EXPECT_EQ(BlockProblems(lines), std::vector<std::string>{});
      if (extension == ".ABL") {
        auto last = std::find_if(lines.rbegin(), lines.rend(), [](const std::string& line) {
          std::string code = Trim(line);
          return !code.empty() && code.rfind("//", 0) != 0;
        });
        ASSERT_NE(last, lines.rend());
        EXPECT_EQ(*last, "endmodule.");
      }
    }
  }
  EXPECT_GE(checked_missions, 6 + 3 + 8 + 3);
}

}  // namespace
}  // namespace quorvane
