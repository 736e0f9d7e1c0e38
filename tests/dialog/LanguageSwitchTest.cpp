// The KOR/ENG radios: captions, list items, and what a switch leaves alone.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "dialog/LanguageTables.h"
#include "tests/support/FakeHost.h"

namespace zqk {
namespace {

using Items = std::vector<std::string>;

class LanguageSwitch : public testing::Test {
 protected:
  void SetUp() override { dlg.OnInitDialog(); }
  test::DialogRig rig;
  CZQKCommClientDlg& dlg = rig.dlg();
  ControlModel& m = rig.model();
};

TEST_F(LanguageSwitch, EnglishSetsEveryCaptionAndListButKeepsTheKoreanOnes) {
  dlg.Click(id::kEnglish);
  EXPECT_FALSE(dlg.IsKorean());
  for (const CaptionPair& c : LanguageCaptions()) EXPECT_EQ(m.Text(c.id), c.english) << c.id.value;
  for (int label = 1062; label <= 1066; ++label) {
    EXPECT_EQ(m.Text(ControlId{label}), FindCaption(ControlId{label})->korean) << label;
  }
  EXPECT_EQ(m.Text(ControlId{1062}), "전략구분");
  EXPECT_EQ(m.Text(id::kOrigOrderNoLabel), "Amend/Cancel Order");
  EXPECT_EQ(m.Text(ControlId{1071}), "Password");
  EXPECT_EQ(m.Items(id::kBuySell), (Items{"1.Buy", "2.Sell"}));
  EXPECT_EQ(m.Items(id::kPriceType), (Items{"1.Limit Price", "2.Market Price"}));
  EXPECT_EQ(m.Items(id::kStrategy), (Items{"1.일반", "2.STOP", "3.OCO", "4.가격예약"}));
  EXPECT_EQ(m.Items(id::kOrderKind),
            (Items{"New", "Amend", "Cancel", "CME New", "CME Amend", "CME Cancel"}));

  dlg.Click(id::kKorean);
  for (const CaptionPair& c : LanguageCaptions()) EXPECT_EQ(m.Text(c.id), c.korean) << c.id.value;
  EXPECT_EQ(m.Items(id::kBuySell), (Items{"1.매수", "2.매도"}));
}

TEST_F(LanguageSwitch, LeavesUntouchedControlsAsTheyAre) {
  dlg.SelectItem(id::kFillCondition, ListIndex{2});
  dlg.EditText(id::kInfoName, "mine");
  const std::vector<ControlId> untouched{
      id::kRqTest,      id::kOverseasAllMst, id::kOverseasOptionMst, id::kOverseasFuturesMst,
      id::kKorean,      id::kEnglish,        id::kInfoName,          id::kOrderTrCode,
      id::kOrderRecord, id::kTrInput};
  std::vector<std::string> before;
  for (ControlId c : untouched) before.push_back(m.Text(c));
  dlg.Click(id::kEnglish);
  for (size_t i = 0; i < untouched.size(); ++i) {
    EXPECT_EQ(m.Text(untouched[i]), before[i]) << untouched[i].value;
  }
  EXPECT_EQ(m.Text(id::kRqTest), "RqTest");
  EXPECT_EQ(m.Text(id::kKorean), "KOR");
  EXPECT_EQ(m.Items(id::kFillCondition), (Items{"1.FAS", "2.FOK", "3.FAK"}));
  EXPECT_EQ(m.Selected(id::kFillCondition), ListIndex{2});
}

TEST_F(LanguageSwitch, OverseasPriceListShrinksToItsTwoCommonItems) {
  dlg.Click(id::kOverseas);
  ASSERT_EQ(m.Items(id::kPriceType).size(), 4u);
  dlg.Click(id::kEnglish);
  EXPECT_EQ(m.Items(id::kPriceType), (Items{"1.Limit Price", "2.Market Price"}));
  dlg.Click(id::kKorean);
  EXPECT_EQ(m.Items(id::kPriceType), (Items{"1.지정가", "2.시장가"}));
  // The STOP items come back with the next click on the market.
  dlg.Click(id::kOverseas);
  EXPECT_EQ(m.Items(id::kPriceType), (Items{"1.지정가", "2.시장가", "3.STOP", "4.STOP지정가"}));
}

TEST_F(LanguageSwitch, OrderKindsOutsideTheDomesticMarketStayAsTheyAre) {
  for (ControlId market : {id::kOverseas, id::kFxMargin}) {
    dlg.Click(market);
    dlg.SelectItem(id::kOrderKind, ListIndex{2});
    dlg.Click(id::kEnglish);
    EXPECT_EQ(m.Items(id::kOrderKind), (Items{"신규", "정정", "취소"})) << market.value;
    EXPECT_EQ(m.Selected(id::kOrderKind), ListIndex{2}) << market.value;
    dlg.Click(id::kKorean);
  }
}

TEST_F(LanguageSwitch, DomesticOrderKindReturnsToNewWhileTheTrCodeStays) {
  dlg.SelectItem(id::kOrderKind, ListIndex{1});
  ASSERT_EQ(m.Text(id::kOrderTrCode), "g12001.DO1901&");
  dlg.Click(id::kEnglish);
  EXPECT_EQ(m.Selected(id::kOrderKind), ListIndex{0});
  EXPECT_EQ(m.SelectedText(id::kOrderKind), "New");
  EXPECT_EQ(m.Text(id::kOrderTrCode), "g12001.DO1901&");
  EXPECT_TRUE(m.IsVisible(id::kOrigOrderNo));
  dlg.SelectItem(id::kOrderKind, ListIndex{2});
  EXPECT_EQ(m.Text(id::kOrderTrCode), "g12001.DO1701&");
}

TEST_F(LanguageSwitch, ClickingTheSelectedLanguageAgainOnlyResetsTheLists) {
  for (ControlId list : {id::kBuySell, id::kPriceType, id::kStrategy}) {
    dlg.SelectItem(list, ListIndex{1});
  }
  dlg.SelectItem(id::kFillCondition, ListIndex{1});
  std::vector<std::string> captions;
  for (const CaptionPair& c : LanguageCaptions()) captions.push_back(m.Text(c.id));

  dlg.Click(id::kKorean);
  EXPECT_TRUE(dlg.IsKorean());
  for (ControlId list : {id::kBuySell, id::kPriceType, id::kStrategy, id::kOrderKind}) {
    EXPECT_EQ(m.Selected(list), ListIndex{0}) << list.value;
  }
  EXPECT_EQ(m.Selected(id::kFillCondition), ListIndex{1});
  size_t i = 0;
  for (const CaptionPair& c : LanguageCaptions()) EXPECT_EQ(m.Text(c.id), captions[i++]);
  EXPECT_EQ(dlg.Log().Count(), 0u);
}

// --- The tables themselves ------------------------------------------------

TEST(LanguageTables, CaptionsNameDistinctNonEditControlsOfTheTemplate) {
  std::set<ControlId> seen;
  for (const CaptionPair& c : LanguageCaptions()) {
    EXPECT_TRUE(seen.insert(c.id).second) << "twice: " << c.id.value;
    const ControlTemplate* t = MainDialogTemplate().Find(c.id);
    ASSERT_NE(t, nullptr) << c.id.value;
    EXPECT_NE(t->kind, ControlKind::kEdit) << c.id.value;
    EXPECT_FALSE(c.korean.empty());
    EXPECT_FALSE(c.english.empty());
  }
  EXPECT_EQ(seen.size(), 49u);
  EXPECT_EQ(LanguageCaptions().front().id, ControlId{1092});
  EXPECT_EQ(LanguageCaptions().back().id, id::kClearLog);
  EXPECT_EQ(FindCaption(id::kRqTest), nullptr);
}

TEST(LanguageTables, KoreanCaptionsDifferFromTheTemplateOnlyWhereTheyShould) {
  std::set<int> differing;
  for (const CaptionPair& c : LanguageCaptions()) {
    if (MainDialogTemplate().Find(c.id)->caption != c.korean) differing.insert(c.id.value);
  }
  EXPECT_EQ(differing, (std::set<int>{1019, 1035, 1038, 1074, 1075, 1082, 1091}));
}

TEST(LanguageTables, OnlyTheStrategyLabelsStayKoreanInEnglish) {
  std::set<int> same;
  for (const CaptionPair& c : LanguageCaptions()) {
    if (c.korean == c.english) same.insert(c.id.value);
  }
  EXPECT_EQ(same, (std::set<int>{1062, 1063, 1064, 1065, 1066}));
}

}  // namespace
}  // namespace zqk
