#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace quorvane::testing {

// The bytes of a file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// Writes `bytes` as the whole file at `path`; returns the path.
std::string WriteFile(const std::string& path, std::string_view bytes);

// The path of `name` in `folder` as the command writes it: joined with the
// system's separator ("\\" on Windows), none added after one already there.
std::string InFolder(const std::string& folder, std::string_view name);

// Sets the modification time of a file to `seconds` after 1970 plus
// `nanoseconds`, to the 100 ns that Windows keeps (the file system library of
// MinGW sets whole seconds only). False when it cannot.
bool SetModifiedTime(const std::string& path, int64_t seconds, int64_t nanoseconds);

// Every entry under a folder, by its path relative to the folder: the bytes
// of a file (with its modification time), or "<folder>" for a folder.
std::map<std::string, std::string> FolderState(const std::string& folder);

}  // namespace quorvane::testing
