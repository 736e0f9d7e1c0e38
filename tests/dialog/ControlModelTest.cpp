#include "dialog/ControlModel.h"

#include <gtest/gtest.h>

namespace zqk {
namespace {

TEST(DialogTemplate, MainDialogHasAllControlsInTemplateOrder) {
  const DialogTemplate& t = MainDialogTemplate();
  EXPECT_EQ(t.controls.size(), 98u);
  EXPECT_EQ(t.controls.front().id, id::kUserId);
  EXPECT_EQ(t.controls.back().id, id::kEnglish);
  EXPECT_EQ(t.width, 455);
  EXPECT_EQ(t.height, 377);
  ASSERT_NE(t.Find(id::kLog), nullptr);
  EXPECT_EQ(t.Find(id::kLog)->kind, ControlKind::kListBox);
  EXPECT_EQ(t.Find(ControlId{2286}), nullptr);
  EXPECT_EQ(t.Find(kStaticId), nullptr);
}

struct GroupCase {
  ControlId clicked;
  std::vector<ControlId> group;
};

class RadioGroups : public testing::TestWithParam<GroupCase> {};

TEST_P(RadioGroups, ClickChecksOnlyTheClickedButtonOfItsGroup) {
  ControlModel m(MainDialogTemplate());
  for (ControlId other : {id::kTrMode, id::kDomestic, id::kKorean}) m.SetChecked(other, true);
  const GroupCase& c = GetParam();
  EXPECT_EQ(m.RadioGroup(c.clicked), c.group);
  m.ApplyClick(c.clicked);
  for (ControlId member : c.group) EXPECT_EQ(m.IsChecked(member), member == c.clicked);
  // Other groups keep their state.
  int checked = 0;
  for (ControlId r : {id::kTrMode, id::kFidMode, id::kDomestic, id::kOverseas, id::kFxMargin,
                      id::kKorean, id::kEnglish}) {
    checked += m.IsChecked(r);
  }
  EXPECT_EQ(checked, 3);
}

INSTANTIATE_TEST_SUITE_P(
    MainDialog, RadioGroups,
    testing::Values(GroupCase{id::kFidMode, {id::kTrMode, id::kFidMode}},
                    GroupCase{id::kFxMargin, {id::kDomestic, id::kOverseas, id::kFxMargin}},
                    GroupCase{id::kOverseas, {id::kDomestic, id::kOverseas, id::kFxMargin}},
                    GroupCase{id::kEnglish, {id::kKorean, id::kEnglish}}));

TEST(ControlModel, ButtonsStartWithTheirTemplateCaptionAndEditsEmpty) {
  ControlModel m(MainDialogTemplate());
  EXPECT_EQ(m.Text(id::kConnect), "통신연결");
  EXPECT_EQ(m.Text(id::kUserId), "");
  EXPECT_TRUE(m.IsEnabled(id::kUserId));
  EXPECT_TRUE(m.IsVisible(id::kUserId));
}

TEST(ControlModel, ListSelectionIsClearedByResetAndOutOfRangeIndex) {
  ControlModel m(MainDialogTemplate());
  m.AddItem(id::kBuySell, "1.매수");
  m.AddItem(id::kBuySell, "2.매도");
  m.SetSelected(id::kBuySell, ListIndex{1});
  EXPECT_EQ(m.SelectedText(id::kBuySell), "2.매도");
  m.SetSelected(id::kBuySell, ListIndex{2});
  EXPECT_EQ(m.Selected(id::kBuySell), kNoSelection);
  EXPECT_EQ(m.SelectedText(id::kBuySell), "");
  m.SetSelected(id::kBuySell, ListIndex{0});
  m.ResetContent(id::kBuySell);
  EXPECT_TRUE(m.Items(id::kBuySell).empty());
  EXPECT_EQ(m.Selected(id::kBuySell), kNoSelection);
}

TEST(ControlModel, UnknownIdsReadEmptyAndIgnoreWrites) {
  ControlModel m(MainDialogTemplate());
  int notified = 0;
  m.SetListener([&](ControlId, ControlChange) { ++notified; });
  m.SetText(ControlId{4242}, "x");
  m.AddItem(ControlId{4242}, "x");
  m.ApplyClick(ControlId{4242});
  EXPECT_EQ(m.Text(ControlId{4242}), "");
  EXPECT_FALSE(m.Has(ControlId{4242}));
  EXPECT_EQ(notified, 0);
}

TEST(ControlModel, ListenerHearsEachRealChangeOnce) {
  ControlModel m(MainDialogTemplate());
  std::vector<std::pair<int, ControlChange>> seen;
  m.SetListener([&](ControlId id, ControlChange c) { seen.emplace_back(id.value, c); });
  m.SetText(id::kTrCode, "abc");
  m.SetText(id::kTrCode, "abc");  // unchanged: no notification
  m.SetEnabled(id::kTrCode, false);
  m.SetVisible(id::kTrCode, false);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].second, ControlChange::kText);
  EXPECT_EQ(seen[1].second, ControlChange::kEnabled);
  EXPECT_EQ(seen[2].second, ControlChange::kVisible);
}

}  // namespace
}  // namespace zqk
