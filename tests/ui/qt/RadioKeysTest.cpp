// The keyboard in the dialog's radio groups: arrow keys select the next button
// of the group and run its command as a click does; Tab enters a group at its
// checked button.
#include <gtest/gtest.h>

#include <QRadioButton>

#include "tests/support/FakeHost.h"
#include "tests/ui/qt/QtRig.h"

namespace zqk::qttest {
namespace {

struct ArrowCase {
  const char* name;
  ControlId from;
  Qt::Key key;
  ControlId to;
};

class RadioArrowTest : public testing::TestWithParam<ArrowCase> {};

TEST_P(RadioArrowTest, SelectsTheNextButtonOfTheGroupAndRunsItsCommand) {
  const ArrowCase& c = GetParam();
  WindowRig rig;
  rig.dlg().Click(c.from);
  QWidget* from = rig.view().Control(c.from);
  from->setFocus();
  QTest::keyClick(from, c.key);

  EXPECT_EQ(QApplication::focusWidget(), rig.view().Control(c.to));
  for (ControlId member : rig.model().RadioGroup(c.to)) {
    EXPECT_EQ(rig.model().IsChecked(member), member == c.to) << member.value;
    EXPECT_EQ(rig.Widget<QRadioButton>(member)->isChecked(), member == c.to) << member.value;
  }
  // Every control reads as after the same two clicks in a dialog without a
  // window: the command of the button ran, once.
  test::DialogRig clicked;
  clicked.dlg().OnInitDialog();
  clicked.dlg().Click(c.from);
  clicked.dlg().Click(c.to);
  for (const ControlTemplate& control : MainDialogTemplate().controls) {
    const ControlId id = control.id;
    if (id == kStaticId) continue;
    EXPECT_EQ(rig.model().Text(id), clicked.model().Text(id)) << id.value;
    EXPECT_EQ(rig.model().IsChecked(id), clicked.model().IsChecked(id)) << id.value;
    EXPECT_EQ(rig.model().IsEnabled(id), clicked.model().IsEnabled(id)) << id.value;
    EXPECT_EQ(rig.model().IsVisible(id), clicked.model().IsVisible(id)) << id.value;
    EXPECT_EQ(rig.model().Items(id), clicked.model().Items(id)) << id.value;
    EXPECT_EQ(rig.model().Selected(id), clicked.model().Selected(id)) << id.value;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Groups, RadioArrowTest,
    testing::Values(
        ArrowCase{"KorRightToEng", id::kKorean, Qt::Key_Right, id::kEnglish},
        ArrowCase{"EngDownWrapsToKor", id::kEnglish, Qt::Key_Down, id::kKorean},
        ArrowCase{"KorLeftWrapsToEng", id::kKorean, Qt::Key_Left, id::kEnglish},
        ArrowCase{"TrDownToFid", id::kTrMode, Qt::Key_Down, id::kFidMode},
        ArrowCase{"FidUpToTr", id::kFidMode, Qt::Key_Up, id::kTrMode},
        ArrowCase{"DomesticRightToOverseas", id::kDomestic, Qt::Key_Right, id::kOverseas},
        ArrowCase{"OverseasDownToFx", id::kOverseas, Qt::Key_Down, id::kFxMargin},
        ArrowCase{"FxRightWrapsToDomestic", id::kFxMargin, Qt::Key_Right, id::kDomestic},
        ArrowCase{"DomesticUpWrapsToFx", id::kDomestic, Qt::Key_Up, id::kFxMargin}),
    [](const testing::TestParamInfo<ArrowCase>& info) { return info.param.name; });

TEST(RadioKeys, ArrowsSkipADisabledButtonAndNeverLeaveTheGroup) {
  WindowRig rig;
  rig.model().SetEnabled(id::kOverseas, false);
  QWidget* domestic = rig.view().Control(id::kDomestic);
  domestic->setFocus();
  QTest::keyClick(domestic, Qt::Key_Right);
  EXPECT_TRUE(rig.model().IsChecked(id::kFxMargin));
  EXPECT_FALSE(rig.model().IsChecked(id::kOverseas));

  // With every other button disabled the focus stays, and nothing is clicked.
  rig.model().SetEnabled(id::kDomestic, false);
  const std::string orderTr = rig.model().Text(id::kOrderTrCode);
  QWidget* fx = rig.view().Control(id::kFxMargin);
  QTest::keyClick(fx, Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), fx);
  EXPECT_TRUE(rig.model().IsChecked(id::kFxMargin));
  EXPECT_EQ(rig.model().Text(id::kOrderTrCode), orderTr);
}

TEST(RadioKeys, TabEntersAGroupAtItsCheckedButton) {
  WindowRig rig;
  rig.dlg().Click(id::kFidMode);
  rig.dlg().Click(id::kFxMargin);
  // Tab order: RqTest, the TR/FID group, the market group, then the first
  // enabled edit (FID mode disables the TR edits).
  rig.view().Control(id::kRqTest)->setFocus();
  const std::vector<ControlId> forward = {id::kFidMode, id::kFxMargin, id::kFidCode};
  for (ControlId expected : forward) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), rig.view().Control(expected)) << expected.value;
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), rig.view().Control(id::kFxMargin));
  // The arrow keys move the tab stop with the check.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  rig.view().Control(id::kRqTest)->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), rig.view().Control(id::kDomestic));
}

}  // namespace
}  // namespace zqk::qttest
