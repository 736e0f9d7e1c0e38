// Fixed-width fields of raw blocks: CP949 text is cut only between
// characters, and every field has exactly its width.
#include <gtest/gtest.h>

#include "sandbox/events/FieldText.h"

namespace zqk::test {
namespace {

TEST(FieldText, FieldsHaveTheirWidthAndKeepCharactersWhole) {
  struct Case {
    const char* text;
    size_t width;
    const char* expected;
  };
  const Case cases[] = {
      {"ESU16", 8, "ESU16   "},
      {"", 3, "   "},
      {"12345", 3, "123"},
      {"모의투자", 8, "모의투자"},
      {"모의투자", 7, "모의투 "},  // the fourth character does not fit whole
      {"모의투자", 1, " "},
      {"A모", 2, "A "},
      {"\x81", 3, "   "},  // a lead byte without its trail byte is dropped
      {"x", 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sandbox::Fit(c.text, c.width), c.expected) << c.text << " in " << c.width;
  }
  EXPECT_EQ(sandbox::FitRight("44.77", 8), "   44.77");
  EXPECT_EQ(sandbox::BlockRow().Add("CL", 4).Add("금", 3).text(), "CL  금 ");
}

}  // namespace
}  // namespace zqk::test
