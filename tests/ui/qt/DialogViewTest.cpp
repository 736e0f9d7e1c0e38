#include "ui/qt/DialogView.h"

#include <gtest/gtest.h>

#include "tests/support/Files.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <fstream>
#include <optional>
#include <sstream>

#include "tests/ui/qt/QtRig.h"
#include "ui/qt/ControlWidgets.h"
#include "ui/qt/DialogFont.h"
#include "ui/qt/LogView.h"
#include "ui/qt/ToolWindows.h"

namespace zqk::qttest {
namespace {

QString Q(std::string_view cp949) {
  return FromCp949(cp949);
}

// Sends each character as a key press with that text, as an input method
// delivers Korean (QTest::keyClicks takes Latin-1 only).
void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

// A radio button reacts to clicks on its indicator and label, not beyond.
void ClickRadio(QRadioButton* radio) {
  QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(6, radio->height() / 2));
}

TEST(DialogViewTest, EveryControlSitsAtItsMappedRectangle) {
  WindowRig rig;
  const DialogBaseUnits units = rig.view().BaseUnits();
  EXPECT_EQ(units, MeasureBaseUnits(rig.view().font()));
  EXPECT_GT(units.cx, 0);
  EXPECT_GT(units.cy, 0);
  const DialogTemplate& dialog = MainDialogTemplate();
  EXPECT_EQ(rig.view().size(), QSize(MulDiv(455, units.cx, 4), MulDiv(377, units.cy, 8)));
  for (const ControlTemplate& c : dialog.controls) {
    if (c.id == kStaticId) continue;
    QWidget* widget = rig.view().Control(c.id);
    ASSERT_NE(widget, nullptr) << c.id.value;
    const PixelRect r = MapDialogRect(c.rect, units);
    const QRect g = widget->geometry();
    EXPECT_EQ(g.x(), r.x) << c.id.value;
    EXPECT_EQ(g.y(), r.y) << c.id.value;
    EXPECT_EQ(g.width(), r.width) << c.id.value;
    // A drop-down list keeps its natural closed height.
    EXPECT_EQ(g.height(),
              c.kind == ControlKind::kDropDownList ? widget->sizeHint().height() : r.height)
        << c.id.value;
  }
}

TEST(DialogViewTest, WidgetKindsAndStylesFollowTheTemplate) {
  WindowRig rig;
  EXPECT_EQ(rig.Widget<QLineEdit>(id::kPassword)->echoMode(), QLineEdit::Password);
  EXPECT_EQ(rig.Widget<QLineEdit>(id::kOrderPassword)->echoMode(), QLineEdit::Password);
  EXPECT_EQ(rig.Widget<QLineEdit>(id::kUserId)->echoMode(), QLineEdit::Normal);
  EXPECT_TRUE(rig.Widget<QLineEdit>(id::kRealPrice)->isReadOnly());
  EXPECT_FALSE(rig.Widget<QLineEdit>(id::kTrCode)->isReadOnly());
  ASSERT_NE(rig.Widget<QPlainTextEdit>(id::kMultiLineEdit), nullptr);
  ASSERT_NE(rig.Widget<LogView>(id::kLog), nullptr);
  EXPECT_EQ(rig.Widget<LogView>(id::kLog), rig.view().Log());
  ASSERT_NE(rig.Widget<QComboBox>(id::kBuySell), nullptr);
  EXPECT_FALSE(rig.Widget<QComboBox>(id::kBuySell)->isEditable());
  EXPECT_NE(rig.Widget<QGroupBox>(ControlId{1081}), nullptr);
  EXPECT_FALSE(rig.Widget<QRadioButton>(id::kTrMode)->autoExclusive());
  // Group boxes lie behind the controls that they frame.
  const QPoint inEdit = rig.view().Control(id::kUserId)->geometry().center();
  EXPECT_EQ(rig.view().childAt(inEdit), rig.view().Control(id::kUserId));
}

TEST(DialogViewTest, WindowHasTitleCloseBoxAndNoMinMax) {
  WindowRig rig;
  EXPECT_EQ(rig.view().windowTitle(), QStringLiteral("ZQKCommClient"));
  const Qt::WindowFlags flags = rig.view().windowFlags();
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(rig.view().minimumSize(), rig.view().maximumSize());
  EXPECT_FALSE(rig.view().windowIcon().isNull());
}

TEST(DialogViewTest, OpensInKoreanTrModeDomesticMarket) {
  WindowRig rig;
  EXPECT_EQ(rig.Widget<QPushButton>(id::kConnect)->text(), Q("통신연결"));
  EXPECT_EQ(rig.Widget<QPushButton>(id::kSaveLog)->text(), Q("로그저장"));
  EXPECT_EQ(rig.Widget<QGroupBox>(ControlId{1092})->title(), Q("로그인"));
  EXPECT_EQ(rig.Widget<QLabel>(ControlId{1070})->text(), Q("사용자ID:"));
  EXPECT_TRUE(rig.Widget<QRadioButton>(id::kKorean)->isChecked());
  EXPECT_FALSE(rig.Widget<QRadioButton>(id::kEnglish)->isChecked());
  EXPECT_TRUE(rig.Widget<QRadioButton>(id::kTrMode)->isChecked());
  EXPECT_TRUE(rig.Widget<QRadioButton>(id::kDomestic)->isChecked());
  for (ControlId off : {id::kFidCode, id::kFidInput, id::kFidFieldList}) {
    EXPECT_FALSE(rig.view().Control(off)->isEnabled()) << off.value;
  }
  for (ControlId on : {id::kTrCode, id::kTrInput}) {
    EXPECT_TRUE(rig.view().Control(on)->isEnabled()) << on.value;
  }
  EXPECT_EQ(rig.Widget<QLineEdit>(id::kInfoName)->text(), Q("시스템구분"));
  EXPECT_TRUE(rig.view().Control(id::kStrategy)->isHidden());
  EXPECT_EQ(rig.Widget<QLineEdit>(id::kTrCode)->text(), Q(rig.model().Text(id::kTrCode)));
  auto* buySell = rig.Widget<QComboBox>(id::kBuySell);
  ASSERT_EQ(static_cast<size_t>(buySell->count()), rig.model().Items(id::kBuySell).size());
  EXPECT_EQ(buySell->itemText(0), Q(rig.model().Items(id::kBuySell)[0]));
  EXPECT_EQ(buySell->currentIndex(), 0);
  // The first control of the tab order has the focus.
  EXPECT_EQ(rig.view().focusWidget(), rig.view().Control(id::kUserId));
}

TEST(DialogViewTest, RadioClicksGoThroughTheModel) {
  WindowRig rig;
  auto* fid = rig.Widget<QRadioButton>(id::kFidMode);
  ClickRadio(fid);
  EXPECT_TRUE(rig.model().IsChecked(id::kFidMode));
  EXPECT_FALSE(rig.model().IsChecked(id::kTrMode));
  EXPECT_TRUE(fid->isChecked());
  EXPECT_FALSE(rig.Widget<QRadioButton>(id::kTrMode)->isChecked());
  EXPECT_TRUE(rig.view().Control(id::kFidCode)->isEnabled());
  EXPECT_FALSE(rig.view().Control(id::kTrCode)->isEnabled());
  // Another group stays as it was.
  EXPECT_TRUE(rig.Widget<QRadioButton>(id::kDomestic)->isChecked());

  // A second click on the checked button leaves it checked.
  ClickRadio(fid);
  EXPECT_TRUE(fid->isChecked());
  EXPECT_TRUE(rig.model().IsChecked(id::kFidMode));
}

TEST(DialogViewTest, LanguageRadiosSwitchCaptions) {
  WindowRig rig;
  ClickRadio(rig.Widget<QRadioButton>(id::kEnglish));
  EXPECT_EQ(rig.Widget<QPushButton>(id::kConnect)->text(), QStringLiteral("Connect"));
  EXPECT_EQ(rig.Widget<QPushButton>(id::kSaveLog)->text(), QStringLiteral("Save Log"));
  EXPECT_FALSE(rig.Widget<QRadioButton>(id::kKorean)->isChecked());
  ClickRadio(rig.Widget<QRadioButton>(id::kKorean));
  EXPECT_EQ(rig.Widget<QPushButton>(id::kConnect)->text(), Q("통신연결"));
}

TEST(DialogViewTest, TypingReachesTheModelAsCp949) {
  WindowRig rig;
  auto* edit = rig.Widget<QLineEdit>(id::kUserId);
  QTest::keyClicks(edit, QStringLiteral("trader01"));
  EXPECT_EQ(rig.model().Text(id::kUserId), "trader01");
  TypeText(edit, Q("한글"));
  EXPECT_EQ(rig.model().Text(id::kUserId), "trader01한글");
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(rig.model().Text(id::kUserId), "trader01한");

  // No CP949 form: refused, so widget and model stay equal.
  TypeText(edit, QString(QChar(0x20AC)) + QString::fromUcs4(U"\U0001F600"));
  EXPECT_EQ(edit->text(), Q("trader01한"));
  EXPECT_EQ(rig.model().Text(id::kUserId), "trader01한");

  auto* digits = rig.Widget<QLineEdit>(id::kOrderPassword);
  QTest::keyClicks(digits, QStringLiteral("12a3-4"));
  EXPECT_EQ(rig.model().Text(id::kOrderPassword), "1234");
  EXPECT_EQ(digits->text(), QStringLiteral("1234"));
}

TEST(DialogViewTest, ModelChangesShowWithoutRunningCommands) {
  WindowRig rig;
  rig.model().SetText(id::kRealPrice, "101.25");
  EXPECT_EQ(rig.Widget<QLineEdit>(id::kRealPrice)->text(), QStringLiteral("101.25"));
  // A text set by the program shows from its start, however long.
  EXPECT_EQ(rig.Widget<QLineEdit>(id::kRealPrice)->cursorPosition(), 0);
  EXPECT_EQ(rig.Widget<QLineEdit>(id::kFidFieldList)->cursorPosition(), 0);
  rig.model().SetText(id::kMultiLineEdit, "a\r\nb");
  EXPECT_EQ(rig.Widget<QPlainTextEdit>(id::kMultiLineEdit)->toPlainText(), QStringLiteral("a\nb"));
  EXPECT_EQ(rig.model().Text(id::kMultiLineEdit), "a\r\nb");
  rig.model().SetVisible(id::kRealPrice, false);
  EXPECT_TRUE(rig.view().Control(id::kRealPrice)->isHidden());
  rig.model().SetEnabled(id::kConnect, false);
  EXPECT_FALSE(rig.view().Control(id::kConnect)->isEnabled());

  // A programmatic selection of the order kind runs no command: the fields
  // that OnOrderTrChange shows or hides stay as they are.
  const bool origVisible = rig.model().IsVisible(id::kOrigOrderNo);
  rig.model().SetSelected(id::kOrderKind, ListIndex{1});
  EXPECT_EQ(rig.Widget<QComboBox>(id::kOrderKind)->currentIndex(), 1);
  EXPECT_EQ(rig.model().IsVisible(id::kOrigOrderNo), origVisible);
}

TEST(DialogViewTest, UserSelectionRunsTheSelectionCommand) {
  WindowRig rig;
  auto* kinds = rig.Widget<QComboBox>(id::kOrderKind);
  ASSERT_GT(kinds->count(), 1);
  QTest::keyClick(kinds, Qt::Key_Down);
  EXPECT_EQ(rig.model().Selected(id::kOrderKind), ListIndex{1});
  EXPECT_TRUE(rig.model().IsVisible(id::kOrigOrderNo));  // an amendment names an order
  EXPECT_FALSE(rig.view().Control(id::kOrigOrderNo)->isHidden());
  EXPECT_EQ(rig.Widget<QLineEdit>(id::kOrderTrCode)->text(), Q(rig.model().Text(id::kOrderTrCode)));
  QTest::keyClick(kinds, Qt::Key_Up);
  EXPECT_EQ(rig.model().Selected(id::kOrderKind), ListIndex{0});
  EXPECT_TRUE(rig.view().Control(id::kOrigOrderNo)->isHidden());  // a new order names none
}

struct KeyCase {
  const char* name;
  ControlId target;
  Qt::Key key;
  MessageBoxResult answer;  // to "종료할까요?"
  std::optional<DialogResult> expected;
};

class DialogKeyTest : public testing::TestWithParam<KeyCase> {};

// Enter and Escape ask before they end the dialog; only Yes ends it.
TEST_P(DialogKeyTest, AsksBeforeEndingTheDialog) {
  const KeyCase& c = GetParam();
  WindowRig rig;
  QSignalSpy finished(&rig.view(), &DialogView::finished);
  QTest::keyClicks(rig.view().Control(id::kUserId), QStringLiteral("u1"));
  rig.host().answers.push_back(c.answer);
  QTest::keyClick(rig.view().Control(c.target), c.key);
  ASSERT_EQ(rig.host().boxes.size(), 1u);
  EXPECT_EQ(rig.host().boxes[0].text, "종료할까요?");
  EXPECT_EQ(rig.host().boxes[0].buttons, MessageBoxButtons::kYesNoDefaultNo);
  EXPECT_EQ(rig.view().Result(), c.expected);
  EXPECT_EQ(rig.view().isVisible(), !c.expected.has_value());
  ASSERT_EQ(finished.count(), c.expected ? 1 : 0);
  if (c.expected) {
    EXPECT_EQ(finished.at(0).at(0).toInt(), static_cast<int>(*c.expected));
  }
  // OK copies the login edits into their members; Cancel does not.
  EXPECT_EQ(rig.dlg().m_strUserId, c.expected == DialogResult::kOk ? "u1" : "");
}

constexpr MessageBoxResult kYes = MessageBoxResult::kYes;
constexpr MessageBoxResult kNo = MessageBoxResult::kNo;

INSTANTIATE_TEST_SUITE_P(
    Keys, DialogKeyTest,
    testing::Values(
        KeyCase{"EnterInEdit", id::kUserId, Qt::Key_Return, kYes, DialogResult::kOk},
        KeyCase{"EnterInEditAnsweredNo", id::kOrderPrice, Qt::Key_Return, kNo, std::nullopt},
        KeyCase{"KeypadEnter", id::kTrInput, Qt::Key_Enter, kYes, DialogResult::kOk},
        KeyCase{"EnterInMultiLine", id::kMultiLineEdit, Qt::Key_Return, kYes, DialogResult::kOk},
        KeyCase{"EnterOnRadio", id::kTrMode, Qt::Key_Return, kYes, DialogResult::kOk},
        KeyCase{"EnterInLog", id::kLog, Qt::Key_Return, kNo, std::nullopt},
        KeyCase{"EnterOnClosedList", id::kBuySell, Qt::Key_Return, kYes, DialogResult::kOk},
        KeyCase{"EscapeInEdit", id::kUserId, Qt::Key_Escape, kYes, DialogResult::kCancel},
        KeyCase{"EscapeAnsweredNo", id::kUserId, Qt::Key_Escape, kNo, std::nullopt},
        KeyCase{"EscapeOnButton", id::kConnect, Qt::Key_Escape, kYes, DialogResult::kCancel}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST(DialogViewTest, EnterInMultiLineEditInsertsNoLine) {
  WindowRig rig;
  QTest::keyClick(rig.view().Control(id::kMultiLineEdit), Qt::Key_Return);
  EXPECT_TRUE(rig.Widget<QPlainTextEdit>(id::kMultiLineEdit)->toPlainText().isEmpty());
}

TEST(DialogViewTest, EnterOnFocusedButtonPressesIt) {
  WindowRig rig;
  rig.dlg().AddLog("x");
  QTest::keyClick(rig.view().Control(id::kClearLog), Qt::Key_Return);
  EXPECT_TRUE(rig.dlg().Log().Empty());
  EXPECT_FALSE(rig.view().Result().has_value());
  EXPECT_TRUE(rig.view().isVisible());
}

TEST(DialogViewTest, EnterInOpenDropDownOnlyChooses) {
  WindowRig rig;
  auto* list = rig.Widget<QComboBox>(id::kOrderKind);
  list->showPopup();
  ASSERT_TRUE(list->view()->isVisible());
  QTest::keyClick(list->view(), Qt::Key_Down);
  QTest::keyClick(list->view(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_FALSE(rig.view().Result().has_value());
  EXPECT_TRUE(rig.view().isVisible());
  EXPECT_EQ(rig.model().Selected(id::kOrderKind), ListIndex{1});
}

// Whatever item is current, a list opens beside its control, never over it:
// the click that opened it cannot land on an item.
TEST(DialogViewTest, DropDownListsOpenBesideTheirControl) {
  WindowRig rig;
  for (ControlId id : {id::kBuySell, id::kPriceType, id::kFillCondition, id::kOrderKind}) {
    auto* list = rig.Widget<QComboBox>(id);
    ASSERT_GT(list->count(), 1) << id.value;
    list->setCurrentIndex(list->count() - 1);
    QStyleOptionComboBox option;
    option.initFrom(list);
    EXPECT_EQ(list->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, list), 0) << id.value;
    list->showPopup();
    QWidget* popup = list->view()->window();
    ASSERT_TRUE(popup->isVisible()) << id.value;
    const QRect control(list->mapToGlobal(QPoint(0, 0)), list->size());
    const QRect opened = popup->frameGeometry();
    // Below the control (sharing at most its last row of pixels) or above it.
    EXPECT_TRUE(opened.top() >= control.bottom() || opened.bottom() <= control.top())
        << id.value << ": the list spans " << opened.top() << "-" << opened.bottom()
        << ", the control " << control.top() << "-" << control.bottom();
    EXPECT_FALSE(opened.contains(control.center())) << id.value;
    list->hidePopup();
  }
}

TEST(DialogViewTest, CloseBoxCancelsWithoutAsking) {
  WindowRig rig;
  EXPECT_TRUE(rig.view().close());
  EXPECT_EQ(rig.view().Result(), DialogResult::kCancel);
  EXPECT_FALSE(rig.view().isVisible());
  EXPECT_TRUE(rig.host().boxes.empty());
}

TEST(DialogViewTest, SystemMenuEndsWithSeparatorAndAbout) {
  WindowRig rig;
  const QList<QAction*> actions = rig.view().SystemMenu()->actions();
  const qsizetype tools = static_cast<qsizetype>(ToolWindowItems().size());
  ASSERT_EQ(actions.size(), tools + 4);
  EXPECT_EQ(actions[0], rig.view().CloseAction());
  EXPECT_EQ(actions[0]->text(), Q("닫기(&C)"));
  EXPECT_EQ(actions[0]->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
  // The tool windows and the session recording stand between Close and the
  // separator before About.
  for (qsizetype i = 0; i < tools; ++i) {
    EXPECT_EQ(actions[1 + i], rig.view().ToolAction(static_cast<size_t>(i)));
  }
  EXPECT_EQ(actions[1 + tools], rig.view().RecordAction());
  EXPECT_TRUE(actions[2 + tools]->isSeparator());
  EXPECT_EQ(actions[3 + tools], rig.view().AboutAction());
  EXPECT_EQ(actions[3 + tools]->text(), Q(kAboutMenuText));

  rig.view().CloseAction()->trigger();
  EXPECT_EQ(rig.view().Result(), DialogResult::kCancel);
  EXPECT_FALSE(rig.view().isVisible());
  EXPECT_TRUE(rig.host().boxes.empty());  // Close ends at once
}

TEST(DialogViewTest, AltSpaceAndBackgroundRightClickOpenTheSystemMenu) {
  WindowRig rig;
  QMenu* menu = rig.view().SystemMenu();
  QTest::keyClick(&rig.view(), Qt::Key_Space, Qt::AltModifier);
  EXPECT_TRUE(menu->isVisible());
  menu->hide();

  // Right-click on a button: its own business, no menu.
  QWidget* button = rig.view().Control(id::kConnect);
  QContextMenuEvent onButton(QContextMenuEvent::Mouse, button->geometry().center(),
                             rig.view().mapToGlobal(button->geometry().center()));
  QApplication::sendEvent(&rig.view(), &onButton);
  EXPECT_FALSE(menu->isVisible());

  QContextMenuEvent onBackground(QContextMenuEvent::Mouse, QPoint(2, 2),
                                 rig.view().mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(&rig.view(), &onBackground);
  EXPECT_TRUE(menu->isVisible());
  menu->hide();
}

TEST(DialogViewTest, AboutItemShowsTheAboutBox) {
  WindowRig rig;
  QString title;
  QStringList labels;
  int buttons = 0;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    for (QLabel* label : box->findChildren<QLabel*>()) labels << label->text();
    const QList<QPushButton*> all = box->findChildren<QPushButton*>();
    buttons = static_cast<int>(all.size());
    if (!all.isEmpty()) QTest::mouseClick(all.first(), Qt::LeftButton);
  });
  rig.view().AboutAction()->trigger();
  EXPECT_EQ(title, Q("ZQKCommClient 정보"));
  EXPECT_EQ(labels, QStringList{Q("ZQKCommClient, 버전 1.0.0.1")});
  EXPECT_EQ(buttons, 1);
  EXPECT_TRUE(rig.view().isVisible());  // About leaves the dialog open
}

TEST(DialogViewTest, SaveLogAppendsCrLfLinesBesideTheExecutable) {
  WindowRig rig;
  rig.dlg().AddLog("첫 줄");
  rig.dlg().AddLog("second");
  const std::string first(rig.dlg().Log().Line(LineIndex{0}));
  const std::string second(rig.dlg().Log().Line(LineIndex{1}));
  QTest::mouseClick(rig.view().Control(id::kSaveLog), Qt::LeftButton);
  const std::string once = first + "\r\n" + second + "\r\n";
  EXPECT_EQ(test::ReadWholeFile(rig.dir() / "ocx_log.log"), once);
  QTest::mouseClick(rig.view().Control(id::kSaveLog), Qt::LeftButton);
  EXPECT_EQ(test::ReadWholeFile(rig.dir() / "ocx_log.log"), once + once);
  EXPECT_TRUE(rig.host().boxes.empty());
}

TEST(DialogViewTest, ClearLogEmptiesTheView) {
  WindowRig rig;
  for (int i = 0; i < 500; ++i) rig.dlg().AddLog("line " + std::to_string(i));
  QApplication::processEvents();
  LogView* log = rig.view().Log();
  EXPECT_GT(log->verticalScrollBar()->maximum(), 0);
  QTest::mouseClick(rig.view().Control(id::kClearLog), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_TRUE(rig.dlg().Log().Empty());
  EXPECT_EQ(log->verticalScrollBar()->maximum(), 0);
  EXPECT_FALSE(rig.dlg().Log().Selected().has_value());
}

}  // namespace
}  // namespace zqk::qttest
