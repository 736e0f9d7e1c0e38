// Fixed-width fields of raw blocks: CP949 text is cut only between
// characters, and every field has exactly its width. Records filled by
// their layouts keep one value a field.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

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

// A record filled by its layout, in or out of the layout's order, with
// fields set again and over a row that held fields before: one value a
// name, the last one set, padded where the layout pads.
TEST(FieldText, LayoutRowsKeepOneValueAName) {
  using protocol::Align;
  const protocol::Field layout[] = {
      {"a", 4}, {"b", 3, protocol::FieldKind::kDigits, Align::kRight}, {"c", 3}, {"d", 2}};
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  struct Case {
    const char* what;
    Pairs before;  // in the row before the layout fills it
    Pairs sets;
    Pairs expected;  // in the row's order
  };
  const Case cases[] = {
      {"in order",
       {},
       {{"a", "x"}, {"b", "7"}, {"c", "y"}},
       {{"a", "x"}, {"b", "  7"}, {"c", "y"}}},
      {"out of order, set again",
       {},
       {{"c", "1"}, {"a", "2"}, {"c", "3"}, {"d", "4"}, {"a", "5"}},
       {{"c", "3"}, {"a", "5"}, {"d", "4"}}},
      {"over a row with fields",
       {{"b", "old"}, {"z", "kept"}},
       {{"b", "9"}, {"a", "1"}, {"b", "8"}},
       {{"b", "  8"}, {"z", "kept"}, {"a", "1"}}},
  };
  for (const Case& c : cases) {
    // The names as the layout's own strings, and spelt in strings of their
    // own: found by their text too.
    for (const bool spelt : {false, true}) {
      sandbox::FieldRow row;
      for (const auto& [name, value] : c.before) row[name] = value;
      sandbox::LayoutRow filler(row, layout);
      for (const auto& [name, value] : c.sets) {
        const auto own = std::find_if(std::begin(layout), std::end(layout),
                                      [&](const protocol::Field& f) { return f.name == name; });
        filler.Set(spelt ? std::string_view(name) : own->name, value);
      }
      EXPECT_EQ(Pairs(row.begin(), row.end()), c.expected) << c.what << (spelt ? ", spelt" : "");
    }
  }
  sandbox::FieldRow row;
  EXPECT_THROW(sandbox::LayoutRow(row, layout).Set("e", "1"), std::logic_error);
}

}  // namespace
}  // namespace zqk::test
