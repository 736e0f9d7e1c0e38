// Fixed-width fields of raw blocks: CP949 text is cut only between
// characters, and every field has exactly its width.
#include <gtest/gtest.h>

#include "protocol/Layout.h"
#include "sandbox/events/LayoutRow.h"

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
    EXPECT_EQ(protocol::FitToWidth(c.text, c.width), c.expected) << c.text << " in " << c.width;
  }
  EXPECT_EQ(protocol::FitToWidth("44.77", 8, protocol::Align::kRight), "   44.77");
  const protocol::Field row[] = {{"a", 4}, {"b", 3}};
  EXPECT_EQ(sandbox::LayoutBlockRow(row).Set("b", "금").Set("a", "CL").text(), "CL  금 ");
}

}  // namespace
}  // namespace zqk::test
