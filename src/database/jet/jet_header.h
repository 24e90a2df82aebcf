#pragma once

#include <cstdint>
#include <span>

#include "database/jet/jet_bytes.h"

namespace quorvane::db {

// What the first page of a Jet file says about the whole file.
struct JetHeader {
  int jet_version = 4;     // 3 or 4
  unsigned code_page = 0;  // of a Jet 3 file's text: a Windows code page
  uint32_t database_key = 0;
};

// Reads the header page of a Jet 3 or Jet 4 file, unmasking the bytes that
// Jet hides (the code page and the database key among them). Throws
// OpenError when the page is no Jet header of `jet_version`, and when the
// database key is not zero: such a file's pages are encrypted.
JetHeader ReadJetHeader(const JetBytes& page, int jet_version);

// Masks the hidden bytes of a header page, or unmasks them: the mask is an
// exclusive or, its own inverse. A page too short to hold them is left alone.
void ToggleJetHeaderMask(std::span<unsigned char> page, int jet_version);

}  // namespace quorvane::db
