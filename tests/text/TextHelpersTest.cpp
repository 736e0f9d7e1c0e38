// The one definition of a blank and of a CP949 character that the console and
// the sandbox share.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "text/Blanks.h"
#include "text/Cp949Bytes.h"

namespace zqk {
namespace {

TEST(Blanks, TheSixCLocaleBlanksAndNothingElse) {
  std::string blanks;
  for (int c = 0; c < 256; ++c) {
    if (IsBlank(static_cast<char>(c))) blanks += static_cast<char>(c);
  }
  EXPECT_EQ(blanks, "\t\n\v\f\r ");

  const struct {
    std::string text;
    std::string_view both, leading, trailing;
  } rows[] = {
      {"", "", "", ""},
      {" \t\r\n\v\f", "", "", ""},
      {" a b ", "a b", "a b ", " a b"},
      // A NUL and a double-byte blank are characters of the value.
      {std::string(" \0 ", 3), std::string_view("\0", 1), std::string_view("\0 ", 2),
       std::string_view(" \0", 2)},
      {"\xA1\xA1x\xA1\xA1", "\xA1\xA1x\xA1\xA1", "\xA1\xA1x\xA1\xA1", "\xA1\xA1x\xA1\xA1"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(TrimBlanks(r.text), r.both) << r.text;
    EXPECT_EQ(TrimLeadingBlanks(r.text), r.leading) << r.text;
    EXPECT_EQ(TrimTrailingBlanks(r.text), r.trailing) << r.text;
  }
}

TEST(Cp949Bytes, LeadAndTrailBytesAtTheirBounds) {
  const struct {
    unsigned char byte;
    bool lead, trail;
  } rows[] = {
      {0x40, false, false}, {0x41, false, true}, {0x5A, false, true}, {0x5B, false, false},
      {0x60, false, false}, {0x61, false, true}, {0x7A, false, true}, {0x7B, false, false},
      {0x80, false, false}, {0x81, true, true},  {0xFE, true, true},  {0xFF, false, false},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(IsCp949LeadByte(static_cast<char>(r.byte)), r.lead) << int(r.byte);
    EXPECT_EQ(IsCp949TrailByte(static_cast<char>(r.byte)), r.trail) << int(r.byte);
  }
}

// "가" is B0 A1; a lead byte without a trail byte after it stands alone.
TEST(Cp949Bytes, CutsWithoutSplittingACharacter) {
  const struct {
    std::string_view text;
    size_t maxBytes;
    std::string_view prefix, leading;
  } rows[] = {
      {"", 3, "", ""},
      {"abc", 2, "ab", "ab"},
      {"\xB0\xA1\xB0\xA1", 3, "\xB0\xA1", "\xB0\xA1"},
      {"a\xB0\xA1", 2, "a", "a"},
      {"\xB0\xA1z", 1, "", ""},
      {"\xB0\xA1z", 2, "\xB0\xA1", "\xB0\xA1"},
      {"\xB0\x30", 1, "\xB0", "\xB0"},           // no trail byte: two characters
      {"123\xB0\x20", 4, "123\xB0", "123\xB0"},  // nor here, at the cut
      {"ab\xB0", 3, "ab", "ab\xB0"},             // a lead byte cut off at the end
      {"ab\xB0", 2, "ab", "ab"},
      {"\xFF\xA1", 1, "\xFF", "\xFF"},                  // 0xFF leads nothing
      {"\xA1\xA1\xA1\xA1", 3, "\xA1\xA1", "\xA1\xA1"},  // the ideographic space
  };
  for (const auto& r : rows) {
    EXPECT_EQ(Cp949Prefix(r.text, r.maxBytes), r.prefix) << r.text;
    EXPECT_EQ(Cp949LeadingBytes(r.text, r.maxBytes), r.leading) << r.text;
  }
}

}  // namespace
}  // namespace zqk
