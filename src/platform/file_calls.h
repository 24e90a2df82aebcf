#pragma once

#include <string>
#include <string_view>
#include <vector>

// The few calls to the operating system that output files need, each a small
// function that returns 0 or the system's error number, so that the callers
// hold no system headers.
namespace quorvane::files {

// The largest number of bytes of one name in a folder.
inline constexpr size_t kMaxNameLength = 255;

// Creates the new file `path` for writing, failing when a file of that name
// exists (a symbolic link there is not followed), and locks it for as long as
// this process keeps it open. Returns the descriptor, or minus the error number.
int CreateLocked(const std::string& path);
// Writes all of `bytes` to the descriptor: 0 or the error number.
int WriteAll(int fd, std::string_view bytes);
// Closes the descriptor: 0 or the error number.
int CloseFile(int fd);
// Puts `from` in the place of `to`, replacing a file there: 0 or the error number.
int Replace(const std::string& from, const std::string& to);
// Removes a file; a missing one is no error.
void RemoveFile(const std::string& path);
// True when `path` names a folder (a symbolic link is not followed).
bool IsFolder(const std::string& path);
// True when `path` names a folder this process may create files in.
bool IsWritableFolder(const std::string& path);

// The names of the entries of a folder ("." and ".." left out); empty when it
// cannot be read.
std::vector<std::string> FolderEntries(const std::string& folder);
// True when the file at `path` is a regular file that no process holds the
// lock of CreateLocked on and that has not changed for `quiet_seconds`.
bool IsAbandoned(const std::string& path, int quiet_seconds);

// A fault for tests of a failing disk: the `nth` write from now (1: the next
// one) fails with `error`, as a full disk fails (ENOSPC); 0 turns it off.
void FailNthWrite(int nth, int error);

}  // namespace quorvane::files
