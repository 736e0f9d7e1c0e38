// The dialog as it opens: TR mode, domestic market, Korean captions, the
// domestic samples and the order form's lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog/LanguageTables.h"
#include "dialog/SampleControls.h"
#include "requests/MarketSamples.h"
#include "tests/support/FakeHost.h"

namespace zqk {
namespace {

using Items = std::vector<std::string>;

class DialogInit : public testing::Test {
 protected:
  void SetUp() override { rig.dlg().OnInitDialog(); }
  test::DialogRig rig;
  ControlModel& m = rig.model();
};

TEST_F(DialogInit, OpensInTrModeForTheDomesticMarketInKorean) {
  EXPECT_TRUE(m.IsChecked(id::kTrMode));
  EXPECT_FALSE(m.IsChecked(id::kFidMode));
  EXPECT_TRUE(m.IsChecked(id::kDomestic));
  EXPECT_FALSE(m.IsChecked(id::kOverseas));
  EXPECT_FALSE(m.IsChecked(id::kFxMargin));
  EXPECT_TRUE(m.IsChecked(id::kKorean));
  EXPECT_FALSE(m.IsChecked(id::kEnglish));

  EXPECT_TRUE(m.IsEnabled(id::kTrCode));
  EXPECT_TRUE(m.IsEnabled(id::kTrInput));
  for (ControlId fid : {id::kFidCode, id::kFidInput, id::kFidFieldList}) {
    EXPECT_FALSE(m.IsEnabled(fid)) << fid.value;
  }
  EXPECT_TRUE(rig.dlg().m_strNextKey.empty());
  EXPECT_TRUE(rig.dlg().m_strLastOrderNo.empty());
  EXPECT_EQ(rig.dlg().Log().Count(), 0u);
  EXPECT_TRUE(rig.host.shown.empty());
}

TEST_F(DialogInit, EveryCaptionOfTheSwitchIsKorean) {
  for (const CaptionPair& c : LanguageCaptions()) EXPECT_EQ(m.Text(c.id), c.korean) << c.id.value;
  // Where the switch's Korean differs from the template.
  EXPECT_EQ(m.Text(id::kFxMargin), "FX");
  EXPECT_EQ(m.Text(id::kGetInfoTest), "GetInfoTest");
  EXPECT_EQ(m.Text(ControlId{1074}), "시세리얼입력");
  EXPECT_EQ(m.Text(ControlId{1075}), "주문리얼입력");
  EXPECT_EQ(m.Text(id::kOrderRealUnregister), "주문체결해지");
  EXPECT_EQ(m.Text(ControlId{1091}), "주문Tr");
}

TEST_F(DialogInit, EditsHoldTheDomesticSamples) {
  for (const SampleText& s : MarketSamples(Market::kDomestic)) {
    EXPECT_EQ(m.Text(SampleControl(s.field)), s.text) << SampleControl(s.field).value;
  }
  EXPECT_EQ(m.Text(id::kOrderTrCode), "g12001.DO1601&");
  EXPECT_EQ(m.Text(id::kFidFieldList).size(), 699u);
  EXPECT_EQ(m.Text(id::kInfoName), "시스템구분");
  // The order form itself starts empty.
  for (ControlId edit : {id::kOrderAccount, id::kOrderPassword, id::kOrderProduct, id::kOrderPrice,
                         id::kOrderQuantity, id::kOrigOrderNo, id::kUserField}) {
    EXPECT_EQ(m.Text(edit), "") << edit.value;
  }
}

TEST_F(DialogInit, ListsAreFilledInKoreanWithTheFirstItemSelected) {
  const std::vector<std::pair<ControlId, Items>> lists{
      {id::kBuySell, {"1.매수", "2.매도"}},
      {id::kPriceType, {"1.지정가", "2.시장가"}},
      {id::kFillCondition, {"1.FAS", "2.FOK", "3.FAK"}},
      {id::kStrategy, {"1.일반", "2.STOP", "3.OCO", "4.가격예약"}},
      {id::kOrderKind, {"신규", "정정", "취소", "CME신규", "CME정정", "CME취소"}},
  };
  for (const auto& [list, items] : lists) {
    EXPECT_EQ(m.Items(list), items) << list.value;
    EXPECT_EQ(m.Selected(list), ListIndex{0}) << list.value;
  }
}

TEST_F(DialogInit, StrategySetIsHiddenAndTheAmendNumberShown) {
  for (int i = 0; i < 5; ++i) {
    EXPECT_FALSE(m.IsVisible(ControlId{1053 + i})) << 1053 + i;
    EXPECT_FALSE(m.IsVisible(ControlId{1062 + i})) << 1062 + i;
  }
  EXPECT_TRUE(m.IsVisible(id::kOrigOrderNo));
  EXPECT_TRUE(m.IsVisible(id::kOrigOrderNoLabel));
}

TEST_F(DialogInit, ApplyOrderOnTheUntouchedFormGivesTheBlankDomesticNewRecord) {
  rig.dlg().Click(id::kApplyOrder);
  EXPECT_EQ(m.Text(id::kOrderRecord), std::string(51, ' ') + "111" + std::string(78, ' '));
  EXPECT_EQ(m.Text(id::kOrderTrCode), "g12001.DO1601&");
  EXPECT_EQ(rig.dlg().Log().Count(), 0u);
}

}  // namespace
}  // namespace zqk
