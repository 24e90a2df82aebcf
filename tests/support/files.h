#pragma once

#include <map>
#include <string>

namespace quorvane::testing {

// The bytes of a file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// Every entry under a folder, by its path relative to the folder: the bytes
// of a file (with its modification time), or "<folder>" for a folder.
std::map<std::string, std::string> FolderState(const std::string& folder);

}  // namespace quorvane::testing
