#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

// The character data of text comparison, generated from the Unicode Character
// Database by scripts/gen-unicode-tables.py into unicode_tables.cc. Every table
// is sorted by code point.

namespace quorvane::unicode {

// A character whose case folding is not itself: up to three characters, the
// unused ones 0.
struct CaseFolding {
  char32_t code;
  char32_t folded[3];
};

// A character's full canonical decomposition (already applied recursively): up
// to four characters, the unused ones 0. Hangul syllables are decomposed by
// rule and are not listed.
struct Decomposition {
  char32_t code;
  char32_t parts[4];
};

struct CombiningClassRange {
  char32_t first;
  char32_t last;
  uint8_t combining_class;
};

struct CodeRange {
  char32_t first;
  char32_t last;
};

extern const CaseFolding kCaseFoldings[];
extern const size_t kCaseFoldingCount;
extern const Decomposition kDecompositions[];
extern const size_t kDecompositionCount;
extern const CombiningClassRange kCombiningClasses[];
extern const size_t kCombiningClassCount;
// The characters of general category Mn.
extern const CodeRange kNonspacingMarks[];
extern const size_t kNonspacingMarkCount;

}  // namespace quorvane::unicode
