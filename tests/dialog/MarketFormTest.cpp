// Market radios, the order-kind list and Apply Order, driven through the
// dialog as the user drives them.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "dialog/SampleControls.h"
#include "requests/MarketSamples.h"
#include "tests/support/FakeHost.h"

namespace zqk {
namespace {

using Items = std::vector<std::string>;

std::string B(size_t n) {
  return std::string(n, ' ');
}

const Items kKoreanKinds{"신규", "정정", "취소"};

class MarketForm : public testing::Test {
 protected:
  void SetUp() override { rig.dlg().OnInitDialog(); }

  bool StrategySetVisible(bool visible) {
    for (int i = 0; i < 5; ++i) {
      if (m.IsVisible(ControlId{1053 + i}) != visible) return false;
      if (m.IsVisible(ControlId{1062 + i}) != visible) return false;
    }
    return true;
  }
  void ExpectSamples(Market market) {
    for (const SampleText& s : MarketSamples(market)) {
      EXPECT_EQ(m.Text(SampleControl(s.field)), s.text) << SampleControl(s.field).value;
    }
  }

  test::DialogRig rig;
  CZQKCommClientDlg& dlg = rig.dlg();
  ControlModel& m = rig.model();
};

struct MarketCase {
  ControlId radio;
  Market market;
  Items priceTypes;
  Items fillConditions;
  Items orderKinds;
  bool strategyShown;
  const char* newOrderTr;
};

void PrintTo(const MarketCase& c, std::ostream* os) {
  *os << "radio " << c.radio.value;
}

class MarketClick : public MarketForm, public testing::WithParamInterface<MarketCase> {};

TEST_P(MarketClick, FillsTheSamplesListsAndStrategyVisibility) {
  const MarketCase& c = GetParam();
  // Start from another market, with a later order kind chosen and text typed.
  dlg.Click(c.radio == id::kOverseas ? id::kDomestic : id::kOverseas);
  dlg.SelectItem(id::kOrderKind, ListIndex{2});
  dlg.EditText(id::kTrInput, "typed");
  dlg.EditText(id::kOrderRecord, "typed");

  dlg.Click(c.radio);
  ExpectSamples(c.market);
  EXPECT_EQ(m.Text(id::kOrderTrCode), c.newOrderTr);
  EXPECT_EQ(m.Items(id::kPriceType), c.priceTypes);
  EXPECT_EQ(m.Items(id::kFillCondition), c.fillConditions);
  EXPECT_EQ(m.Items(id::kOrderKind), c.orderKinds);
  EXPECT_EQ(m.Selected(id::kOrderKind), ListIndex{0});
  EXPECT_TRUE(StrategySetVisible(c.strategyShown));
}

INSTANTIATE_TEST_SUITE_P(
    Markets, MarketClick,
    testing::Values(MarketCase{id::kDomestic,
                               Market::kDomestic,
                               {"1.지정가", "2.시장가"},
                               {"1.FAS", "2.FOK", "3.FAK"},
                               {"신규", "정정", "취소", "CME신규", "CME정정", "CME취소"},
                               false,
                               "g12001.DO1601&"},
                    MarketCase{id::kOverseas,
                               Market::kOverseas,
                               {"1.지정가", "2.시장가", "3.STOP", "4.STOP지정가"},
                               {"0.DAY", "1.GTC", "3.IOC", "4.FOK", "6.GTD"},
                               kKoreanKinds,
                               true,
                               "g12003.AO0401%"},
                    // FX margin keeps the overseas lists the set-up click left in 1048 and 1049.
                    MarketCase{id::kFxMargin,
                               Market::kFxMargin,
                               {"1.지정가", "2.시장가", "3.STOP", "4.STOP지정가"},
                               {"0.DAY", "1.GTC", "3.IOC", "4.FOK", "6.GTD"},
                               kKoreanKinds,
                               false,
                               "g12003.AO0501%"}));

TEST_F(MarketForm, ClickingTheCheckedMarketAgainRewritesItsSamples) {
  dlg.EditText(id::kTrCode, "mine");
  dlg.EditText(id::kOrderRealAccount, "mine");
  dlg.Click(id::kDomestic);
  ExpectSamples(Market::kDomestic);
}

TEST_F(MarketForm, FxAfterDomesticKeepsTheDomesticPriceAndFillLists) {
  dlg.SelectItem(id::kFillCondition, ListIndex{2});
  dlg.Click(id::kFxMargin);
  EXPECT_EQ(m.Items(id::kPriceType), (Items{"1.지정가", "2.시장가"}));
  EXPECT_EQ(m.Items(id::kFillCondition), (Items{"1.FAS", "2.FOK", "3.FAK"}));
  EXPECT_EQ(m.Selected(id::kFillCondition), ListIndex{2});
}

TEST_F(MarketForm, OverseasAndFxOrderKindsStayKoreanInEnglish) {
  dlg.Click(id::kEnglish);
  dlg.Click(id::kOverseas);
  EXPECT_EQ(m.Items(id::kOrderKind), kKoreanKinds);
  dlg.Click(id::kFxMargin);
  EXPECT_EQ(m.Items(id::kOrderKind), kKoreanKinds);
  dlg.Click(id::kDomestic);
  EXPECT_EQ(m.Items(id::kOrderKind),
            (Items{"New", "Amend", "Cancel", "CME New", "CME Amend", "CME Cancel"}));
}

TEST_F(MarketForm, MarketChangeLeavesTheAmendNumberVisibilityAlone) {
  dlg.SelectItem(id::kOrderKind, ListIndex{0});
  ASSERT_FALSE(m.IsVisible(id::kOrigOrderNo));
  dlg.Click(id::kOverseas);
  EXPECT_FALSE(m.IsVisible(id::kOrigOrderNo));
  EXPECT_FALSE(m.IsVisible(id::kOrigOrderNoLabel));
  dlg.SelectItem(id::kOrderKind, ListIndex{1});
  dlg.Click(id::kDomestic);
  EXPECT_TRUE(m.IsVisible(id::kOrigOrderNo));
}

struct KindCase {
  ControlId market;
  int index;
  const char* trCode;
  bool amendNumberShown;
  bool strategyShown;
};

void PrintTo(const KindCase& c, std::ostream* os) {
  *os << "market " << c.market.value << " kind " << c.index;
}

class OrderKindChoice : public MarketForm, public testing::WithParamInterface<KindCase> {};

TEST_P(OrderKindChoice, SetsTheTrCodeAndTheFieldsShown) {
  const KindCase& c = GetParam();
  dlg.Click(c.market);
  dlg.SelectItem(id::kOrderKind, ListIndex{c.index});
  EXPECT_EQ(m.Text(id::kOrderTrCode), c.trCode);
  EXPECT_EQ(m.IsVisible(id::kOrigOrderNo), c.amendNumberShown);
  EXPECT_EQ(m.IsVisible(id::kOrigOrderNoLabel), c.amendNumberShown);
  EXPECT_TRUE(StrategySetVisible(c.strategyShown));
}

INSTANTIATE_TEST_SUITE_P(AllKinds, OrderKindChoice,
                         testing::Values(KindCase{id::kDomestic, 0, "g12001.DO1601&", false, false},
                                         KindCase{id::kDomestic, 1, "g12001.DO1901&", true, false},
                                         KindCase{id::kDomestic, 2, "g12001.DO1701&", true, false},
                                         KindCase{id::kDomestic, 3, "g12001.DO2201&", false, false},
                                         KindCase{id::kDomestic, 4, "g12001.DO2101&", true, false},
                                         KindCase{id::kDomestic, 5, "g12001.DO2001&", true, false},
                                         KindCase{id::kOverseas, 0, "g12003.AO0401%", false, true},
                                         KindCase{id::kOverseas, 1, "g12003.AO0402%", true, true},
                                         KindCase{id::kOverseas, 2, "g12003.AO0403%", true, true},
                                         KindCase{id::kFxMargin, 0, "g12003.AO0501%", false, false},
                                         KindCase{id::kFxMargin, 1, "g12003.AO0502%", true, false},
                                         KindCase{id::kFxMargin, 2, "g12003.AO0503%", true,
                                                  false}));

TEST_F(MarketForm, AmendThenNewHidesTheNumberAgain) {
  dlg.SelectItem(id::kOrderKind, ListIndex{1});
  EXPECT_TRUE(m.IsVisible(id::kOrigOrderNo));
  dlg.SelectItem(id::kOrderKind, ListIndex{0});
  EXPECT_FALSE(m.IsVisible(id::kOrigOrderNo));
  EXPECT_EQ(m.Text(id::kOrderTrCode), "g12001.DO1601&");
}

TEST_F(MarketForm, MarketChangeResetsOrderKindAndTrCodeTogether) {
  dlg.Click(id::kOverseas);
  dlg.SelectItem(id::kOrderKind, ListIndex{2});
  ASSERT_EQ(m.Text(id::kOrderTrCode), "g12003.AO0403%");
  dlg.Click(id::kFxMargin);
  EXPECT_EQ(m.Selected(id::kOrderKind), ListIndex{0});
  EXPECT_EQ(m.Text(id::kOrderTrCode), "g12003.AO0501%");
}

TEST_F(MarketForm, NoMarketCheckedLeavesTheTrCodeButStillShowsTheNumber) {
  dlg.SelectItem(id::kOrderKind, ListIndex{0});
  for (ControlId r : {id::kDomestic, id::kOverseas, id::kFxMargin}) m.SetChecked(r, false);
  dlg.SelectItem(id::kOrderKind, ListIndex{1});
  EXPECT_EQ(m.Text(id::kOrderTrCode), "g12001.DO1601&");
  EXPECT_TRUE(m.IsVisible(id::kOrigOrderNo));
  EXPECT_TRUE(StrategySetVisible(false));
}

TEST_F(MarketForm, NoSelectionLeavesTheTrCode) {
  dlg.SelectItem(id::kOrderKind, ListIndex{1});
  dlg.SelectItem(id::kOrderKind, kNoSelection);
  EXPECT_EQ(m.Text(id::kOrderTrCode), "g12001.DO1901&");
  EXPECT_TRUE(m.IsVisible(id::kOrigOrderNo));
}

TEST_F(MarketForm, ApplyOrderComposesFromTheFormsControls) {
  dlg.EditText(id::kOrderAccount, "06801004");
  dlg.EditText(id::kOrderPassword, "6042");
  dlg.EditText(id::kOrderProduct, "101S3000");
  dlg.SelectItem(id::kBuySell, ListIndex{1});
  dlg.SelectItem(id::kPriceType, ListIndex{1});
  dlg.SelectItem(id::kFillCondition, ListIndex{2});
  dlg.EditText(id::kOrderPrice, " 250.5 ");
  dlg.EditText(id::kOrderQuantity, "3");
  dlg.EditText(id::kOrigOrderNo, "77");
  dlg.EditText(id::kUserField, "memo");
  dlg.SelectItem(id::kOrderKind, ListIndex{4});
  dlg.Click(id::kApplyOrder);
  EXPECT_EQ(m.Text(id::kOrderRecord), "06801004" + B(3) + "6042" + B(4) + "101S3000" + B(24) +
                                          "223" + "250.5" + B(8) + "3" + B(4) + "77" + B(5) +
                                          "memo" + B(56));
  EXPECT_EQ(m.Text(id::kOrderTrCode), "g12001.DO2101&");
}

TEST_F(MarketForm, ApplyOrderReadsTheHiddenStrategyFieldsOfTheOverseasForm) {
  dlg.Click(id::kOverseas);
  dlg.SelectItem(id::kPriceType, ListIndex{2});
  dlg.SelectItem(id::kStrategy, ListIndex{1});
  dlg.EditText(id::kValidDate, "20250131");
  dlg.Click(id::kApplyOrder);
  const std::string record = m.Text(id::kOrderRecord);
  ASSERT_EQ(record.size(), 169u);
  EXPECT_EQ(record[47], '3');
  EXPECT_EQ(record[74], '2');
  EXPECT_EQ(record.substr(101, 8), "20250131");
}

TEST_F(MarketForm, ApplyOrderEmptiesTheRecordWhenNoLayoutApplies) {
  dlg.Click(id::kFxMargin);
  ASSERT_EQ(m.Text(id::kOrderRecord).size(), 85u);
  dlg.Click(id::kApplyOrder);  // FX margin New
  EXPECT_EQ(m.Text(id::kOrderRecord), "");
  EXPECT_EQ(m.Text(id::kOrderTrCode), "g12003.AO0501%");

  dlg.SelectItem(id::kOrderKind, ListIndex{2});
  dlg.EditText(id::kOrigOrderNo, "42");
  dlg.Click(id::kApplyOrder);
  EXPECT_EQ(m.Text(id::kOrderRecord), B(46) + "42" + B(18));

  for (ControlId r : {id::kDomestic, id::kOverseas, id::kFxMargin}) m.SetChecked(r, false);
  dlg.Click(id::kApplyOrder);
  EXPECT_EQ(m.Text(id::kOrderRecord), "");
}

TEST_F(MarketForm, ApplyOrderWithNoSelectedKindEmptiesTheRecord) {
  dlg.SelectItem(id::kOrderKind, kNoSelection);
  dlg.Click(id::kApplyOrder);
  EXPECT_EQ(m.Text(id::kOrderRecord), "");
}

}  // namespace
}  // namespace zqk
