// The small lookups that the tables offer for whatever reads them: a code,
// an order layout by code, the field at a byte offset, a value against its
// field's kind, an input composed from values and parsed back.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "protocol/Codes.h"
#include "protocol/OrderLayouts.h"
#include "protocol/QueryInputs.h"
#include "protocol/Replies.h"
#include "protocol/TrCodes.h"

namespace zqk::protocol {
namespace {

TEST(ProtocolLookup, CodesAreFoundExactlyAndOnce) {
  std::set<std::string_view> seen;
  for (const CodeInfo& c : AllCodes()) {
    EXPECT_TRUE(seen.insert(c.code).second) << c.code;
    EXPECT_EQ(FindCode(c.code), &c);
    EXPECT_NE(ReplyLayoutOf(c.code), nullptr) << c.code;
    EXPECT_EQ(FindOrderCode(c.code) != nullptr, c.operation == Operation::kOrder) << c.code;
  }
  for (std::string_view code : tr::kAll) EXPECT_NE(FindCode(code), nullptr) << code;
  EXPECT_EQ(FindCode("G11002.DQ0107&"), nullptr);
  EXPECT_EQ(FindCode("g11002.DQ0107& "), nullptr);
  EXPECT_EQ(FindCode(""), nullptr);
  EXPECT_EQ(OperationName(FindCode(tr::kDomesticSymbol)->operation), "RequestFid");
}

TEST(ProtocolLookup, AnOrderCodeHasTheMarketOfItsCodeRow) {
  for (const OrderCode& o : AllOrderCodes()) {
    EXPECT_EQ(FindCode(o.code)->market, o.market) << o.code;
    EXPECT_EQ(FindOrderLayout(o.code), o.layout);
  }
  EXPECT_EQ(FindOrderLayout(tr::kDomesticFills), nullptr);
  EXPECT_FALSE(FindOrderLayout(tr::kFxNewOrder)->composed);
  EXPECT_FALSE(FindOrderLayout(tr::kFxAmendOrder)->composed);
  EXPECT_TRUE(FindOrderLayout(tr::kFxCancelOrder)->composed);
}

struct RulerCase {
  std::string_view code;
  size_t offset;
  std::optional<OrderField> field;  // none: past the record's end
  size_t start;
};

class OrderRuler : public testing::TestWithParam<RulerCase> {};

TEST_P(OrderRuler, NamesTheFieldAtAByte) {
  const RulerCase& c = GetParam();
  const std::optional<OrderFieldAt> at = OrderFieldAtOffset(*FindOrderLayout(c.code), c.offset);
  ASSERT_EQ(at.has_value(), c.field.has_value());
  if (!at) return;
  EXPECT_EQ(at->field->field, *c.field);
  EXPECT_EQ(at->offset, c.start);
}

using enum OrderField;
INSTANTIATE_TEST_SUITE_P(
    Offsets, OrderRuler,
    testing::Values(RulerCase{tr::kDomesticNewOrder, 0, kAccount, 0},
                    RulerCase{tr::kDomesticNewOrder, 10, kAccount, 0},
                    RulerCase{tr::kDomesticNewOrder, 11, kPassword, 11},
                    RulerCase{tr::kDomesticNewOrder, 60, kPrice, 54},
                    RulerCase{tr::kDomesticNewOrder, 131, kUserField, 72},
                    RulerCase{tr::kDomesticNewOrder, 132, std::nullopt, 0},
                    RulerCase{tr::kDomesticCmeAmendOrder, 72, kOrigOrderNo, 72},
                    RulerCase{tr::kOverseasAmendOrder, 46, kPriceType, 46},
                    RulerCase{tr::kOverseasNewOrder, 100, kOptionExercise, 100},
                    RulerCase{tr::kFxNewOrder, 46, kBuySell, 46},
                    RulerCase{tr::kFxCancelOrder, 65, kOrigOrderNo, 46}));

TEST(ProtocolLookup, TheInputRulerKnowsTheBytesBetweenFields) {
  const InputLayout& fx = *InputLayoutOf(tr::kFxAssets);
  EXPECT_EQ(InputFieldAtOffset(fx, 7)->name, InputLayoutOf(tr::kFxAssets)->fields[0].name);
  EXPECT_EQ(InputFieldAtOffset(fx, 8), nullptr);  // the blank after the token
  EXPECT_EQ(InputFieldAtOffset(fx, 9)->offset, 9);
  EXPECT_EQ(InputFieldAtOffset(fx, 19), nullptr);
  const InputLayout& fills = *InputLayoutOf(tr::kDomesticFills);
  EXPECT_EQ(InputFieldAtOffset(fills, 19)->offset, 19);
  EXPECT_TRUE(AccountRewriteOf(tr::kDomesticFills));
  EXPECT_FALSE(AccountRewriteOf(tr::kDomesticHolding));
  EXPECT_EQ(AccountTextWidth(), 8u);
}

struct KindCase {
  FieldKind kind;
  std::string_view value;
  bool fits;
};

class Kinds : public testing::TestWithParam<KindCase> {};

TEST_P(Kinds, TellWhatAValueMayBe) {
  EXPECT_EQ(FitsKind(GetParam().kind, GetParam().value), GetParam().fits) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, Kinds,
                         testing::Values(KindCase{FieldKind::kDigits, "0012", true},
                                         KindCase{FieldKind::kDigits, "12a", false},
                                         KindCase{FieldKind::kDigits, "-5", false},
                                         KindCase{FieldKind::kDigits, "  ", true},
                                         KindCase{FieldKind::kDecimal, "250.5", true},
                                         KindCase{FieldKind::kDecimal, "167'16", true},
                                         KindCase{FieldKind::kDecimal, "-0.25", true},
                                         KindCase{FieldKind::kDecimal, "1.2.3", false},
                                         KindCase{FieldKind::kDecimal, ".", false},
                                         KindCase{FieldKind::kDecimal, "1e5", false},
                                         KindCase{FieldKind::kAccount, " 06801004 ", true},
                                         KindCase{FieldKind::kAccount, "0680-1004", false},
                                         KindCase{FieldKind::kDateTime, "20160901", true},
                                         KindCase{FieldKind::kDateTime, "2016/09/01", false},
                                         KindCase{FieldKind::kText, "메모 memo", true},
                                         KindCase{FieldKind::kCode, "4.가격예약", true}));

TEST(ProtocolLookup, AnInputComposedFromValuesParsesBackToThem) {
  const InputLayout& trades = *InputLayoutOf(tr::kRecentTrades);
  const std::vector<std::string_view> values{"ESU16", "30"};
  const std::string input = ComposeInput(trades, values);
  EXPECT_EQ(input, "ESU16" + std::string(27, ' ') + "30  ");
  EXPECT_EQ(ParseInput(trades, input), values);
  // The sample parses as the layout reads it; a short input leaves the rest
  // blank.
  EXPECT_EQ(ParseInput(trades, trades.sample), values);
  EXPECT_EQ(ParseInput(trades, "ES"), (std::vector<std::string_view>{"ES", ""}));
}

TEST(ProtocolLookup, AComposedInputNeverHalvesADoubleByteCharacter) {
  const InputLayout& user = *InputLayoutOf(tr::kUserAccounts);  // 사용자ID, 20 bytes
  const std::string eleven(11, '\0');
  std::string korean;
  for (int i = 0; i < 11; ++i) korean += "가";  // 22 bytes
  const std::string_view values[] = {korean};
  const std::string input = ComposeInput(user, values);
  ASSERT_EQ(input.size(), 20u);
  EXPECT_EQ(input, korean.substr(0, 20));
  std::string odd = "a" + korean;  // the 20th byte would be a lead byte
  const std::string_view oddValues[] = {odd};
  EXPECT_EQ(ComposeInput(user, oddValues), odd.substr(0, 19) + " ");
}

TEST(ProtocolLookup, BlockWidthsComeWithTheirCodes) {
  EXPECT_EQ(BlockRowWidth(tr::kMinuteBars), 145u);
  EXPECT_EQ(BlockRowWidth(tr::kOverseasOpenOrders), 226u);
  EXPECT_EQ(BlockHeaderWidth(tr::kNewsBody), 266u);
  EXPECT_EQ(FixedBlockLength(tr::kItemBoard), 1360u);
  EXPECT_EQ(BlockHeaderWidth(tr::kMasterFile), 140u);
  EXPECT_EQ(BlockRowWidth(tr::kDomesticFills), 0u);
  EXPECT_EQ(SymbolRecordFields().size(), 233u);
}

}  // namespace
}  // namespace zqk::protocol
