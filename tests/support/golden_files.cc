#include "support/golden_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string_view>

#include "support/files.h"

namespace quorvane::testing {

namespace fs = std::filesystem;

FileSet ReadFolder(const std::string& folder) {
  FileSet files;
  if (!fs::is_directory(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadFile(entry.path().string());
  }
  return files;
}

const std::vector<int16_t>& GoldenMissions() {
  static const std::vector<int16_t> kMissions{1, 7, 12, 23, 105, 3000};
  return kMissions;
}

std::string GoldenFolder(int16_t mission, const std::string& fixture) {
  return (fs::path(QUORVANE_SOURCE_DIR) / "tests" / "golden" / fixture / std::to_string(mission))
      .string();
}

std::string TranscriptMessage(std::string_view operation, bool critical, std::string_view title,
                              std::string_view text) {
  return std::string(operation) + " message: " + (critical ? "critical" : "plain") + " [" +
         std::string(title) + "] " + std::string(text) + "\n";
}

std::string TranscriptResult(std::string_view operation, std::string_view result) {
  return std::string(operation) + ": " + std::string(result) + "\n";
}

FileSet CompiledFiles(const std::string& output, const std::string& transcript) {
  FileSet files = ReadFolder(output);
  files["messages.txt"] = transcript;
  // The folder as the compiler names it, ended by either separator the
  // system has ("\\" on Windows).
#ifdef _WIN32
  constexpr std::string_view kSeparators = "\\/";
#else
  constexpr std::string_view kSeparators = "/";
#endif
  for (char separator : kSeparators) {
    std::string folder_text = output + separator;
    for (auto& [file_name, bytes] : files) {
      for (size_t at = bytes.find(folder_text); at != std::string::npos;
           at = bytes.find(folder_text, at)) {
        bytes.replace(at, folder_text.size(), "OUTPUT/");
      }
    }
  }
  return files;
}

void ExpectSameFiles(const FileSet& expected, const FileSet& actual, const std::string& where) {
  for (const auto& [name, bytes] : expected) {
    auto found = actual.find(name);
    if (found == actual.end()) {
      ADD_FAILURE() << where << ": " << name << " was not written";
      continue;
    }
    EXPECT_TRUE(found->second == bytes)
        << where << ": " << name << " differs from the expected file";
  }
  for (const auto& [name, bytes] : actual) {
    EXPECT_TRUE(expected.count(name)) << where << ": unexpected file " << name;
  }
}

}  // namespace quorvane::testing
