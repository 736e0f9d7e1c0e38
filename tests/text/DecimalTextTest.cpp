// The leading-digits reading of count and size fields, which bounds every
// count and length the decoders ask the agent for, and of typed real types.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "text/DecimalText.h"

namespace zqk {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(LeadingInt32, ReadsLeadingDigitsAndHoldsAtTheLimits) {
  const struct {
    std::string text;
    int32_t value;
  } kCases[] = {
      {"", 0},
      {"abc", 0},
      {"-", 0},
      {"+ 5", 0},
      {"00042", 42},
      {" \t\n\v\f\r-17kg", -17},
      {"+8", 8},
      {"3 4", 3},
      {std::string("12\0"
                   "34",
                   5),
       12},
      {"\xA1\xA1"
       "5",
       0},  // a double-byte blank is not white space
      {"2147483647", kMax},
      {"2147483648", kMax},
      {"99999999999999999999999999", kMax},
      {"-2147483648", kMin},
      {"-2147483649", kMin},
      {"-00000000000000000000000001", -1},
  };
  for (const auto& c : kCases) EXPECT_EQ(LeadingInt32(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace zqk
