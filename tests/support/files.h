#pragma once

#include <map>
#include <string>
#include <string_view>

namespace quorvane::testing {

// The bytes of a file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// Writes `bytes` as the whole file at `path`; returns the path.
std::string WriteFile(const std::string& path, std::string_view bytes);

// Every entry under a folder, by its path relative to the folder: the bytes
// of a file (with its modification time), or "<folder>" for a folder.
std::map<std::string, std::string> FolderState(const std::string& folder);

}  // namespace quorvane::testing
