#include "ui/qt/QtDialogHost.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/qt/Cp949Text.h"

namespace zqk {
namespace {

struct BoxCase {
  const char* name;
  MessageBoxButtons buttons;
  MessageBoxIcon icon;
  QMessageBox::StandardButton press;  // NoButton: Escape; Default: Enter
  QMessageBox::Icon expectedIcon;
  int expectedButtons;
  MessageBoxResult expected;
};

class QtDialogHostBoxTest : public testing::TestWithParam<BoxCase> {};

TEST_P(QtDialogHostBoxTest, ShowsTheBoxAndReportsTheAnswer) {
  const BoxCase& c = GetParam();
  QtDialogHost host;  // no window yet, as at start-up
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = -1;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = static_cast<int>(box->buttons().size());
    if (c.press == QMessageBox::NoButton) {
      QTest::keyClick(box, Qt::Key_Escape);
    } else if (c.press == QMessageBox::Default) {
      QTest::keyClick(box, Qt::Key_Return);
    } else {
      box->button(c.press)->click();
    }
  });
  const MessageBoxResult result =
      host.ShowMessageBox("다음 조회를 하시겠습니까?", kAppTitle, c.buttons, c.icon);
  EXPECT_EQ(result, c.expected);
  EXPECT_EQ(title, QStringLiteral("ZQKCommClient"));
  EXPECT_EQ(text, FromCp949("다음 조회를 하시겠습니까?"));
  EXPECT_EQ(icon, c.expectedIcon);
  EXPECT_EQ(buttons, c.expectedButtons);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, QtDialogHostBoxTest,
    testing::Values(BoxCase{"OkExclamation", MessageBoxButtons::kOk, MessageBoxIcon::kExclamation,
                            QMessageBox::Ok, QMessageBox::Warning, 1, MessageBoxResult::kOk},
                    BoxCase{"OkEscape", MessageBoxButtons::kOk, MessageBoxIcon::kError,
                            QMessageBox::NoButton, QMessageBox::Critical, 1, MessageBoxResult::kOk},
                    BoxCase{"Yes", MessageBoxButtons::kYesNo, MessageBoxIcon::kQuestion,
                            QMessageBox::Yes, QMessageBox::Question, 2, MessageBoxResult::kYes},
                    BoxCase{"No", MessageBoxButtons::kYesNo, MessageBoxIcon::kQuestion,
                            QMessageBox::No, QMessageBox::Question, 2, MessageBoxResult::kNo},
                    BoxCase{"YesNoEscape", MessageBoxButtons::kYesNo, MessageBoxIcon::kNone,
                            QMessageBox::NoButton, QMessageBox::NoIcon, 2, MessageBoxResult::kNo},
                    BoxCase{"YesNoEnter", MessageBoxButtons::kYesNo, MessageBoxIcon::kNone,
                            QMessageBox::Default, QMessageBox::NoIcon, 2, MessageBoxResult::kYes},
                    // Asked before something that cannot be undone: Enter is No.
                    BoxCase{"DefaultNoEnter", MessageBoxButtons::kYesNoDefaultNo,
                            MessageBoxIcon::kQuestion, QMessageBox::Default, QMessageBox::Question,
                            2, MessageBoxResult::kNo}),
    [](const testing::TestParamInfo<BoxCase>& info) { return info.param.name; });

}  // namespace
}  // namespace zqk
