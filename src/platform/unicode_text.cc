#include "platform/unicode_text.h"

#include <algorithm>

#include "platform/unicode_tables.h"

namespace quorvane::unicode {
namespace {

// Hangul syllables decompose by rule into a leading consonant, a vowel and an
// optional trailing consonant.
constexpr char32_t kHangulFirst = 0xAC00;
constexpr char32_t kHangulCount = 11172;
constexpr char32_t kLeadingFirst = 0x1100;
constexpr char32_t kVowelFirst = 0x1161;
constexpr char32_t kTrailingFirst = 0x11A7;
constexpr char32_t kVowelCount = 21;
constexpr char32_t kTrailingCount = 28;

template <typename Entry>
const Entry* FindCode(const Entry* table, size_t count, char32_t c) {
  const Entry* end = table + count;
  const Entry* it =
      std::lower_bound(table, end, c, [](const Entry& e, char32_t code) { return e.code < code; });
  return it != end && it->code == c ? it : nullptr;
}

template <typename Range>
const Range* FindRange(const Range* table, size_t count, char32_t c) {
  const Range* end = table + count;
  const Range* it =
      std::upper_bound(table, end, c, [](char32_t code, const Range& r) { return code < r.first; });
  if (it == table) return nullptr;
  --it;
  return c <= it->last ? it : nullptr;
}

void AppendParts(std::u32string& out, const char32_t* parts, size_t width) {
  for (size_t i = 0; i < width && parts[i] != 0; ++i) out += parts[i];
}

void AppendDecomposed(std::u32string& out, char32_t c) {
  if (c >= kHangulFirst && c < kHangulFirst + kHangulCount) {
    char32_t index = c - kHangulFirst;
    out += kLeadingFirst + index / (kVowelCount * kTrailingCount);
    out += kVowelFirst + index % (kVowelCount * kTrailingCount) / kTrailingCount;
    if (char32_t trailing = index % kTrailingCount; trailing != 0) out += kTrailingFirst + trailing;
  } else if (const Decomposition* d = FindCode(kDecompositions, kDecompositionCount, c)) {
    AppendParts(out, d->parts, std::size(d->parts));
  } else {
    out += c;
  }
}

// Sorts each run of combining marks by combining class, keeping the order of
// marks of one class.
void OrderMarks(std::u32string& text) {
  auto by_class = [](char32_t a, char32_t b) { return CombiningClass(a) < CombiningClass(b); };
  auto it = text.begin();
  while (it != text.end()) {
    if (CombiningClass(*it) == 0) {
      ++it;
      continue;
    }
    auto run_end = std::find_if(it, text.end(), [](char32_t c) { return CombiningClass(c) == 0; });
    std::stable_sort(it, run_end, by_class);
    it = run_end;
  }
}

}  // namespace

std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    size_t length;
    char32_t c;
    char32_t minimum;
    if (lead == 0) return std::nullopt;
    if (lead < 0x80) {
      length = 1, c = lead, minimum = 0;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, c = lead & 0x07, minimum = 0x10000;
    } else {
      return std::nullopt;
    }
    if (text.size() - i < length) return std::nullopt;
    for (size_t k = 1; k < length; ++k) {
      if ((byte(i + k) & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    out += c;
    i += length;
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::u32string FoldCase(std::u32string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (const CaseFolding* f = FindCode(kCaseFoldings, kCaseFoldingCount, c)) {
      AppendParts(out, f->folded, std::size(f->folded));
    } else {
      out += c;
    }
  }
  return out;
}

std::u32string DecomposeCanonical(std::u32string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (char32_t c : text) AppendDecomposed(out, c);
  OrderMarks(out);
  return out;
}

int CombiningClass(char32_t c) {
  const CombiningClassRange* r = FindRange(kCombiningClasses, kCombiningClassCount, c);
  return r == nullptr ? 0 : r->combining_class;
}

bool IsNonspacingMark(char32_t c) {
  return FindRange(kNonspacingMarks, kNonspacingMarkCount, c) != nullptr;
}

}  // namespace quorvane::unicode
