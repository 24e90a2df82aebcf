#pragma once

#include <string>

#include "database/jet/jet_bytes.h"

namespace quorvane::db {

// Text as a Jet file stores it, as UTF-8: in a Jet 3 file, bytes of the
// file's code page; in a Jet 4 file, UCS-2 little-endian, or compressed
// Unicode when it starts with FF FE. A surrogate half without its partner
// becomes "?", and a last odd byte of UCS-2 is dropped.
std::string DecodeJetText(const JetBytes& bytes, int jet_version, unsigned code_page);

}  // namespace quorvane::db
