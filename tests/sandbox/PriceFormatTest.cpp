// FormatValue: raw feed values to displayed prices, displayed prices to the
// exchange's notation (fractions for the products quoted in them), and back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "sandbox/market/PriceFormat.h"
#include "sandbox/market/ProductUniverse.h"
#include "tests/sandbox/AbiTestHost.h"
#include "tests/support/BuiltFile.h"

namespace zqk::test {
namespace {

struct FormatCase {
  const char* code;
  const char* value;
  int32_t kind;
  const char* expected;
};

constexpr FormatCase kFormatCases[] = {
    {"ESU16", "217525", 0, "2175.25"},
    {"ESU16", "2175.25", 1, "2175.25"},
    {"ESU16", "2175.25", 2, "217525"},
    {"ESU16", "-25", 0, "-0.25"},
    {"ESU16", " 217525  ", 0, "2175.25"},
    {"ESU16                           ", "217525", 0, "2175.25"},
    {"ZBU16", "16750000", 0, "167.50000"},
    {"ZBU16", "167.5", 1, "167'16"},
    {"ZBU16", "167.125", 1, "167'04"},
    {"ZBU16", "167'04", 2, "16712500"},
    {"ZBU16", "-0.5", 1, "-0'16"},
    {"ZNZ16", "132515625", 0, "132.515625"},
    {"ZNZ16", "132.515625", 1, "132'165"},
    {"ZNZ16", "132'165", 2, "132515625"},
    {"ZNZ16", "132'16", 2, "132500000"},
    {"ZCZ16", "335.25", 1, "335'2"},
    {"ZCZ16", "335'6", 2, "33575"},
    {"ZCZ16", "335'3", 2, "335'3"},
    {"101G3000", "25005", 0, "250.05"},
    {"EUR/USD", "111780", 0, "1.11780"},
    {"EUR/USD", "1.1178", 2, "111780"},
    {"USD/JPY", "101850", 0, "101.850"},
    {"6JU16", "97000", 0, "0.0097000"},
    // What cannot be read comes back as it came.
    {"ESU16", "abc", 0, "abc"},
    {"ESU16", "", 0, ""},
    {"ESU16", "2175.255", 1, "2175.255"},
    {"ESU16", "99999999999999999999", 0, "99999999999999999999"},
    {"ZBU16", "167'32", 2, "167'32"},
    {"ZBU16", "167'1", 2, "167'1"},
    {"ESU16", "217525", 3, "217525"},
    {"ESU16", "217525", -1, "217525"},
    {"NOSUCH", "217525", 0, "217525"},
};

class FormatValueTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatValueTest, ThroughTheAgent) {
  const FormatCase& c = GetParam();
  setenv("ZQK_SANDBOX_SETTINGS", "/nonexistent/zqk-sandbox.json", 1);
  AbiTestHost host(ZQK_SANDBOX_AGENT);
  ASSERT_EQ(host.Create(kAgentClassId), ZQK_OK);
  EXPECT_EQ(host.Str(Dispid::kFormatValue, {c.code, c.value, c.kind}), c.expected)
      << c.code << " " << c.value << " kind " << c.kind;
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatValueTest, ::testing::ValuesIn(kFormatCases));

// The console's chain over a raw price: decimal, quoted, raw, decimal again.
TEST(FormatValueChain, EveryProductComesBackToItsPrice) {
  using namespace sandbox::market;
  const ProductUniverse universe;
  for (const Product& p : universe.All()) {
    const std::string raw = std::to_string(p.reference + 3 * p.tick);
    const std::string f0 = FormatValue(p, raw, 0);
    const std::string f1 = FormatValue(p, f0, 1);
    const std::string f2 = FormatValue(p, f1, 2);
    const std::string f3 = FormatValue(p, f2, 0);
    EXPECT_EQ(f2, raw) << p.code << ": " << f0 << " -> " << f1;
    EXPECT_EQ(f3, f0) << p.code;
    if (p.decimals > 0) {
      EXPECT_NE(f0.find('.'), std::string::npos) << p.code << " " << f0;
    }
    if (p.fraction > 0) {
      EXPECT_NE(f1.find('\''), std::string::npos) << p.code << " " << f1;
    }
  }
}

}  // namespace
}  // namespace zqk::test
