#include "platform/windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

// Characters at the edges of the code page, and characters without a form,
// which become one "?" per code point whatever their UTF-8 length.
TEST(Windows1252Test, EncodesTheCodePageAndReplacesTheRest) {
  const struct {
    const char* utf8;
    std::string bytes;
  } cases[] = {
      {"\x7F", "\x7F"},     // the last 7-bit character
      {"\u20AC", "\x80"},   // €, the first of the block 0x80-0x9F
      {"\u201A", "\x82"},   // ‚
      {"\u2122", "\x99"},   // ™, the highest code point of the code page
      {"\u017E", "\x9E"},   // ž
      {"\u0178", "\x9F"},   // Ÿ, the last of the block
      {"\u00A0", "\xA0"},   // no-break space
      {"\u00FF", "\xFF"},   // ÿ, the last character
      {"\u0080", "?"},      // U+0080 has no form
      {"\u009F", "?"},      // nor has U+009F
      {"\u0081", "?"},      // nor the code points of the five unused bytes
      {"\u0100", "?"},      // the first character past 0xFF
      {"\u03A9", "?"},      // Ω, two bytes of UTF-8
      {"\u4E2D", "?"},      // three bytes
      {"\U0001F600", "?"},  // four bytes
      {"e\u0301", "e?"},    // a combining accent is a code point of its own
      {"Se\u00F1or\u2019s \u2013 \u20AC \u00E9", "Se\xF1or\x92s \x96 \x80 \xE9"},
      {"\xE9t\xE9", "\xE9t\xE9"},  // bytes that are no UTF-8 stand as they are
      {"\xC3", "\xC3"},            // a sequence cut short
  };
  for (const auto& c : cases) EXPECT_EQ(ToWindows1252(c.utf8), c.bytes) << c.utf8;
}

// Every byte reads as one character and is written back as itself; the five
// bytes the code page leaves unused read as the control characters of their
// number, which have no form and come back as "?".
TEST(Windows1252Test, EveryByteReadsBackAsItself) {
  for (int byte = 1; byte < 256; ++byte) {
    std::string one(1, static_cast<char>(byte));
    std::string text = FromWindows1252(one);
    EXPECT_EQ(CharacterCount(text), 1u) << byte;
    bool unused = byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
    EXPECT_EQ(ToWindows1252(text), unused ? "?" : one) << byte;
  }
  EXPECT_EQ(FromWindows1252("\x80\x9F\xFF"), "\u20AC\u0178\u00FF");
  // A character that is not ASCII, or a byte that is no UTF-8, at every place
  // of a run of ASCII, within and across its eight-byte words.
  for (size_t at = 0; at < 17; ++at) {
    std::string ascii(17, 'a'), expected = ascii;
    expected[at] = '\xE9';
    EXPECT_EQ(ToWindows1252(std::string(ascii).replace(at, 1, "\u00E9")), expected) << at;
    EXPECT_EQ(ToWindows1252(expected), expected) << at;
  }
  EXPECT_EQ(CharacterCount("Se\u00F1or \U0001F600"), 7u);
}

}  // namespace
}  // namespace quorvane
