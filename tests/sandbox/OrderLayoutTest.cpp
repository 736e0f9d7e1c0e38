// Order records read by the layout of their TR code: each layout's fields,
// the samples the console offers, records that stop early, and the records
// that are refused before any value is looked at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/orders/OrderLayout.h"
#include "sandbox/orders/OrderMessages.h"
#include "tests/sandbox/SandboxSession.h"

namespace zqk::test {
namespace {

using namespace sandbox::orders;
using enum Field;

struct LayoutCase {
  const char* name;
  const char* code;
  std::string record;
  std::vector<std::pair<Field, std::string>> expected;
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, ReadsEveryField) {
  const LayoutCase& c = GetParam();
  const OrderCode* code = FindOrderCode(c.code);
  ASSERT_NE(code, nullptr);
  const ParseResult parsed = ParseRecord(*code->layout, c.record);
  ASSERT_TRUE(std::holds_alternative<OrderRecord>(parsed))
      << std::get<Refusal>(parsed).message.code << " " << std::get<Refusal>(parsed).detail;
  const OrderRecord& r = std::get<OrderRecord>(parsed);
  for (const auto& [field, value] : c.expected) {
    EXPECT_EQ(r[field], value) << FieldName(field);
  }
}

const std::string kUser = "메모 memo";

INSTANTIATE_TEST_SUITE_P(
    Layouts, LayoutTest,
    ::testing::Values(
        LayoutCase{"DomesticNew",
                   "g12001.DO1601&",
                   Fields({{"06801004", 11},
                           {"6042", 8},
                           {"101G3000", 32},
                           {"1", 1},
                           {"2", 1},
                           {"3", 1},
                           {"262.55", 13},
                           {"12", 5},
                           {kUser, 60}}),
                   {{kAccount, "06801004"},
                    {kPassword, "6042"},
                    {kProduct, "101G3000"},
                    {kBuySell, "1"},
                    {kPriceType, "2"},
                    {kFillCondition, "3"},
                    {kPrice, "262.55"},
                    {kQuantity, "12"},
                    {kUserField, kUser}}},
        LayoutCase{
            "CmeAmendSharesTheDomesticLayout",
            "g12001.DO2101&",
            Fields({{"06801004", 11},
                    {"6042", 8},
                    {"101G3000", 32},
                    {"2", 1},
                    {"1", 1},
                    {"1", 1},
                    {"262.5", 13},
                    {"1", 5},
                    {"0004311", 7},
                    {"", 60}}),
            {{kBuySell, "2"}, {kPrice, "262.5"}, {kOrigOrderNo, "0004311"}, {kUserField, ""}}},
        LayoutCase{"OverseasNew",
                   "g12003.AO0401%",
                   Fields({{"015872", 6},
                           {"6042", 8},
                           {"ZBU16", 32},
                           {"2", 1},
                           {"4", 1},
                           {"6", 1},
                           {"167'16", 15},
                           {"3", 10},
                           {"1", 1},
                           {"167'20", 15},
                           {"1", 10},
                           {"0", 1},
                           {"20161231", 8},
                           {"", 60}}),
                   {{kProduct, "ZBU16"},
                    {kPriceType, "4"},
                    {kFillCondition, "6"},
                    {kPrice, "167'16"},
                    {kQuantity, "3"},
                    {kStrategy, "1"},
                    {kDesignatedPrice, "167'20"},
                    {kIocQuantity, "1"},
                    {kOptionExercise, "0"},
                    {kValidDate, "20161231"}}},
        LayoutCase{"OverseasAmendHasNoSide",
                   "g12003.AO0402%",
                   Fields({{"015872", 6},
                           {"6042", 8},
                           {"ESU16", 32},
                           {"1", 1},
                           {"0", 1},
                           {"2170.25", 15},
                           {"2", 10},
                           {"0000000709", 10},
                           {"1", 1},
                           {"", 15},
                           {"", 10},
                           {"x", 60}}),
                   {{kBuySell, ""},
                    {kPriceType, "1"},
                    {kPrice, "2170.25"},
                    {kOrigOrderNo, "0000000709"},
                    {kUserField, "x"}}},
        LayoutCase{"FxNewAsTheSample",
                   "g12003.AO0501%",
                   "0175396042    EUR/USD" + std::string(25, ' ') + "11.24633" +
                       std::string(13, ' ') + "1" + std::string(14, ' ') + "CEO",
                   {{kAccount, "017539"},
                    {kProduct, "EUR/USD"},
                    {kBuySell, "1"},
                    {kPrice, "1.24633"},
                    {kQuantity, "1"},
                    {kFxOrderType, "CEO"}}},
        LayoutCase{"FxAmend",
                   "g12003.AO0502%",
                   Fields({{"017539", 6},
                           {"6042", 8},
                           {"USD/JPY", 32},
                           {"1209", 20},
                           {"101.250", 20},
                           {"2", 15}}),
                   {{kOrigOrderNo, "1209"}, {kPrice, "101.250"}, {kQuantity, "2"}}},
        LayoutCase{"FxCancel",
                   "g12003.AO0503%",
                   Fields({{"017539", 6}, {"6042", 8}, {"EUR/USD", 32}, {"0000001209", 20}}),
                   {{kProduct, "EUR/USD"}, {kOrigOrderNo, "0000001209"}}},
        LayoutCase{"OverseasSampleEndsBeforeTheUserField",
                   "g12003.AO0401%",
                   "0158726042    ESU16" + std::string(27, ' ') + "120" + "0" +
                       std::string(14, ' ') + "1" + std::string(9, ' ') + "1" +
                       std::string(34, ' '),
                   {{kPriceType, "2"},
                    {kFillCondition, "0"},
                    {kPrice, "0"},
                    {kQuantity, "1"},
                    {kUserField, ""}}},
        // Trailing blanks are optional: the missing bytes count as blanks.
        LayoutCase{"DomesticSampleStopsInsideTheQuantity",
                   "g12001.DO1601&",
                   "06801004   6042    201JB245" + std::string(24, ' ') + "111110" +
                       std::string(11, ' ') + "1",
                   {{kBuySell, "1"},
                    {kPriceType, "1"},
                    {kFillCondition, "1"},
                    {kPrice, "110"},
                    {kQuantity, "1"},
                    {kUserField, ""}}},
        LayoutCase{"StopsAfterTheProduct",
                   "g12003.AO0401%",
                   "0158726042    ESU16",
                   {{kProduct, "ESU16"}, {kBuySell, ""}, {kQuantity, ""}, {kValidDate, ""}}},
        LayoutCase{"Empty", "g12001.DO1901&", "", {{kAccount, ""}, {kOrigOrderNo, ""}}},
        LayoutCase{"UserFieldCutShort",
                   "g12001.DO1601&",
                   Fields({{"06801004", 11},
                           {"6042", 8},
                           {"101G3000", 32},
                           {"1", 1},
                           {"1", 1},
                           {"1", 1},
                           {"262.55", 13},
                           {"1", 5}}) +
                       "abc",
                   {{kQuantity, "1"}, {kUserField, "abc"}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
  const char* name;
  const char* code;
  std::string record;
  int32_t refusal;
  const char* detail;
};

class RefusedRecordTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedRecordTest, SaysWhy) {
  const RefusedCase& c = GetParam();
  const ParseResult parsed = ParseRecord(*FindOrderCode(c.code)->layout, c.record);
  ASSERT_TRUE(std::holds_alternative<Refusal>(parsed));
  EXPECT_EQ(std::get<Refusal>(parsed).message.code, c.refusal);
  EXPECT_EQ(std::get<Refusal>(parsed).detail, c.detail);
}

// A domestic New record whose fields all fit.
std::string DomesticNew(const std::string& product = "101G3000", const std::string& qty = "1") {
  return Fields({{"06801004", 11},
                 {"6042", 8},
                 {product, 32},
                 {"1", 1},
                 {"1", 1},
                 {"1", 1},
                 {"262.55", 13},
                 {qty, 5}});
}

INSTANTIATE_TEST_SUITE_P(
    Records, RefusedRecordTest,
    ::testing::Values(
        RefusedCase{"TooLong", "g12001.DO1601&", DomesticNew() + std::string(61, ' '), -201,
                    "133/132"},
        RefusedCase{"FxCancelHasNoUserField", "g12003.AO0503%", std::string(67, ' '), -201,
                    "67/66"},
        RefusedCase{"LettersInQuantity", "g12001.DO1601&", DomesticNew("101G3000", "1O"), -203,
                    "주문수량=1O"},
        RefusedCase{"LettersInAccount", "g12003.AO0503%",
                    Fields({{"01587A", 6}, {"6042", 8}, {"EUR/USD", 32}, {"1", 20}}), -203,
                    "계좌번호=01587A"},
        RefusedCase{
            "TwoPointsInPrice", "g12003.AO0502%",
            Fields(
                {{"017539", 6}, {"6042", 8}, {"EUR/USD", 32}, {"1", 20}, {"1.1.2", 20}, {"1", 15}}),
            -203, "주문가격=1.1.2"},
        // "종목" is four bytes; the product field holds 31 blanks and its
        // first byte, the side field the second.
        RefusedCase{"KoreanAcrossABoundary", "g12001.DO1601&",
                    Fields({{"06801004", 11}, {"6042", 8}}) + std::string(31, ' ') + "종목" +
                        std::string(78, ' '),
                    -202, "종목코드"},
        RefusedCase{"KoreanCutAtTheEnd", "g12001.DO1601&", DomesticNew() + "메모" + "\xB8", -202,
                    "사용자필드"},
        RefusedCase{"KoreanCutWhereTheRecordStops", "g12001.DO1601&",
                    Fields({{"06801004", 11}, {"6042", 8}}) + "\xC1", -202, "종목코드"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zqk::test
