#pragma once

#include <functional>
#include <string>

// What an interrupted run (Ctrl-C, a termination request) removes before it
// ends: the temporaries of the files being written and private folders. Each
// call below is one step that an interruption never splits, so nothing is
// created after the cleanup has begun, and nothing it noted is missed.
namespace quorvane::interrupts {

// Creates `path` (files::CreateLocked) and notes it for removal. Returns the
// descriptor, or minus the error number.
int CreateRemovable(const std::string& path);
// Puts the noted `temporary` in the place of `path` (files::Replace) and
// forgets it: 0 or the error number.
int PutInPlace(const std::string& temporary, const std::string& path);
// Removes the noted file and forgets it.
void Remove(const std::string& temporary);
// Notes a private folder, removed with everything in it; Forget stops that.
void NoteFolder(const std::string& folder);
void ForgetFolder(const std::string& folder);

// Removes everything noted, and lets nothing new be created until the process
// exits: the last step of an interrupted run.
void RemoveAllBeforeExit();

// Lets SIGINT and SIGTERM end the process cleanly: everything noted is
// removed, `farewell(signal)` says a last line, and the process exits with
// status 128 + the signal's number (130, 143). A host program calls it once,
// before it starts other threads; a library never does.
void HandleInterrupts(std::function<void(int signal)> farewell);

}  // namespace quorvane::interrupts
