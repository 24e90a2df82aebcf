#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvane::fuzz {

// This process's own scratch folder (made on first use, removed at exit).
const std::string& ScratchFolder();

// Writes the bytes to a file of the scratch folder and returns its path.
std::string WriteScratchFile(const std::string& name, const uint8_t* data, size_t size);

// Stops the process with the reason: the input is a finding.
[[noreturn]] void Fault(const std::string& reason);

}  // namespace quorvane::fuzz
