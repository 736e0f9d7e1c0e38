// A record's row finds each field by its name whatever order the fields
// came in, keeps one value a name (the last set), and still finds the rest
// after some are dropped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/events/FieldRow.h"

namespace zqk::test {
namespace {

using sandbox::FieldRow;

TEST(FieldRowTest, FindsEveryFieldByNameAfterAddsOverwritesAndDrops) {
  // Names in no order, a prefix of another, one set twice; some bytes CP949.
  const std::vector<std::pair<std::string, std::string>> sets = {
      {"\xC1\xBE\xB8\xF1", "ESU16"},
      {"b", "1"},
      {"a", "2"},
      {"ab", "3"},
      {"", "empty"},
      {"b", "4"},
      {"zz", "5"},
      {"\xB0\xA1", "6"},
  };
  FieldRow row;
  for (const auto& [name, value] : sets) row[name] = value;
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"\xC1\xBE\xB8\xF1", "ESU16"},
      {"b", "4"},
      {"a", "2"},
      {"ab", "3"},
      {"", "empty"},
      {"zz", "5"},
      {"\xB0\xA1", "6"},
  };
  ASSERT_EQ(row.size(), expected.size());
  for (const auto& [name, value] : expected) {
    auto it = row.find(name);
    ASSERT_NE(it, row.end()) << name;
    EXPECT_EQ(it->second, value) << name;
  }
  for (const char* missing : {"c", "aa", "z", "zzz", "\xC1\xBE"}) {
    EXPECT_EQ(row.find(missing), row.end()) << missing;
  }

  row.EraseIf([](const FieldRow::Field& f) { return f.first.size() == 1; });
  for (const auto& [name, value] : expected) {
    auto it = row.find(name);
    EXPECT_EQ(it != row.end(), name.size() != 1) << name;
    if (it != row.end()) {
      EXPECT_EQ(it->second, value) << name;
    }
  }
  row["a"] = "back";
  EXPECT_EQ(row.find("a")->second, "back");
  EXPECT_EQ(row.find("ab")->second, "3");
}

}  // namespace
}  // namespace zqk::test
