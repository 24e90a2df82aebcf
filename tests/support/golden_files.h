#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::testing {

// The files of a folder: file name -> bytes.
using FileSet = std::map<std::string, std::string>;

// The whole content of a file ("" when it cannot be read).
std::string ReadBytes(const std::string& path);

// Every file of a folder (none when the folder does not exist).
FileSet ReadFolder(const std::string& folder);

// The missions of the fixture campaign that have expected files, and their
// folder tests/golden/campaign/<MissionID>/. The files there were compiled
// with the header date kGoldenDate.
const std::vector<int16_t>& GoldenMissions();
std::string GoldenFolder(int16_t mission);
inline constexpr const char* kGoldenDate = "2026-01-01";

// The transcript "messages.txt" of the expected files: for each operation
// ("fit", "script") a line per message, then its result ("True", "False" or
// "runtime error: <reason>").
std::string TranscriptMessage(std::string_view operation, bool critical, std::string_view title,
                              std::string_view text);
std::string TranscriptResult(std::string_view operation, std::string_view result);

// What a compile into `output` gave, as the expected files hold it: the files
// of the folder, the transcript as "messages.txt", and "OUTPUT/" where the
// output folder's path stands (the lookout include names its own path).
FileSet CompiledFiles(const std::string& output, const std::string& transcript);

// Reports every file that is missing, unexpected or different.
void ExpectSameFiles(const FileSet& expected, const FileSet& actual, const std::string& where);

}  // namespace quorvane::testing
