// The table conversions of recordings agree with the system's converter: a
// text converts exactly when it converts both ways to the same bytes.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "text/Cp949.h"
#include "text/Cp949Table.h"

namespace zqk {
namespace {

std::optional<std::string> ThroughTable(std::string_view cp949) {
  std::string out;
  if (!AppendCp949AsUtf8(cp949, out)) return std::nullopt;
  return out;
}

std::optional<std::string> ThroughConverter(std::string_view cp949) {
  const std::string utf8 = Cp949ToUtf8(cp949);
  if (Utf8ToCp949Strict(utf8) != cp949) return std::nullopt;
  return utf8;
}

TEST(Cp949Table, AgreesWithTheConverterOnTextAndOnWhatIsNot) {
  const std::string rows[] = {
      "",
      "ESU16 2175.25",
      std::string("\0\t\r\n\x7F", 5),
      "로그인 성공",       // Hangul
      "\xA1\xA1\xA2\xE6",  // a double-byte blank and a symbol
      "\xC9\xA1",          // the user-defined area: no character
      "\xB0",              // a lead byte without its trail byte
      "\xB0\x20",          // a lead byte before a blank
      "\x80",              // bytes that lead nothing
      "\xFF",
      "abc\xB0\xA1\xFE",  // text, then a lone lead byte at the end
  };
  for (const std::string& row : rows) {
    EXPECT_EQ(ThroughTable(row), ThroughConverter(row)) << Cp949ToUtf8(row);
  }
}

// Every double-byte character the table knows comes back to its bytes.
TEST(Cp949Table, EveryCharacterRoundTrips) {
  const Cp949Table& table = Cp949Table::Get();
  size_t characters = 0;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x41; trail <= 0xFE; ++trail) {
      const std::string_view utf8 =
          table.Utf8Of(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
      if (utf8.empty()) continue;
      ++characters;
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      ASSERT_EQ(Utf8ToCp949Strict(utf8), bytes) << lead << ' ' << trail;
    }
  }
  // KS X 1001's 8,822 characters, and the extended Hangul of CP949.
  EXPECT_GT(characters, 17000u);
  std::string out;
  EXPECT_TRUE(AppendCodePointAsCp949(U'가', out));
  EXPECT_TRUE(AppendCodePointAsCp949(U'A', out));
  EXPECT_EQ(out,
            "\xB0\xA1"
            "A");
  EXPECT_FALSE(AppendCodePointAsCp949(U'\u0E01', out));  // Thai: not in CP949
  EXPECT_FALSE(AppendCodePointAsCp949(U'\U0001F600', out));
}

}  // namespace
}  // namespace zqk
