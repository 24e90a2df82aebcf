#include "platform/windows1252.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace quorvane {
namespace {

// Code points of the bytes 0x80..0x9F; 0 where the code page has no character.
constexpr std::array<uint16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int EncodeCodePoint(uint32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF))
    return static_cast<int>(code_point);
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == code_point) return static_cast<int>(0x80 + i);
  }
  return -1;
}

// Decodes one UTF-8 sequence at `pos`; returns its length, or 0 when the bytes
// there are not valid UTF-8.
size_t DecodeUtf8(std::string_view text, size_t pos, uint32_t& code_point) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(pos);
  size_t length = lead < 0x80           ? 1
                  : (lead >> 5) == 0x6  ? 2
                  : (lead >> 4) == 0xE  ? 3
                  : (lead >> 3) == 0x1E ? 4
                                        : 0;
  if (length == 0 || pos + length > text.size()) return 0;
  if (length == 1) {
    code_point = lead;
    return 1;
  }
  code_point = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    code_point = (code_point << 6) | (byte(pos + i) & 0x3F);
  }
  return length;
}

void AppendUtf8(std::string& out, uint32_t code_point) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

}  // namespace

void AppendWindows1252(std::string& out, std::string_view utf8) {
  for (size_t pos = 0; pos < utf8.size();) {
    // Plain ASCII is its own code: copy a run of it at once.
    size_t run = pos;
    for (uint64_t word; run + 8 <= utf8.size(); run += 8) {
      std::memcpy(&word, utf8.data() + run, 8);
      if (word & 0x8080808080808080u) break;
    }
    while (run < utf8.size() && static_cast<unsigned char>(utf8[run]) < 0x80) ++run;
    out.append(utf8.data() + pos, run - pos);
    pos = run;
    if (pos == utf8.size()) break;
    uint32_t code_point = 0;
    size_t length = DecodeUtf8(utf8, pos, code_point);
    if (length == 0) {
      out += utf8[pos++];
      continue;
    }
    int encoded = EncodeCodePoint(code_point);
    out += encoded < 0 ? '?' : static_cast<char>(encoded);
    pos += length;
  }
}

std::string_view FirstWithoutWindows1252Form(std::string_view utf8) {
  for (size_t pos = 0; pos < utf8.size();) {
    if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
      ++pos;
      continue;
    }
    uint32_t code_point = 0;
    size_t length = DecodeUtf8(utf8, pos, code_point);
    if (length == 0) {
      ++pos;  // a byte that is not UTF-8 is written as it stands
    } else if (EncodeCodePoint(code_point) < 0) {
      return utf8.substr(pos, length);
    } else {
      pos += length;
    }
  }
  return {};
}

std::string ToWindows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  AppendWindows1252(out, utf8);
  return out;
}

std::string FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte < 0xA0) {
      uint16_t code_point = kHighControls[byte - 0x80];
      AppendUtf8(out, code_point != 0 ? code_point : byte);
    } else {
      AppendUtf8(out, byte);
    }
  }
  return out;
}

size_t CharacterCount(std::string_view utf8) {
  size_t count = 0;
  for (size_t pos = 0; pos < utf8.size(); ++count) {
    uint32_t code_point = 0;
    size_t length = DecodeUtf8(utf8, pos, code_point);
    pos += length == 0 ? 1 : length;
  }
  return count;
}

}  // namespace quorvane
