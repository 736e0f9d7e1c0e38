// The request catalogue and the byte ruler in the real window: F2 opens the
// catalogue, typing filters it, the form keeps each value to its byte width,
// Use fills the dialog's edits and RqTest then sends exactly that input; the
// ruler names the field under the caret and warns of a Korean name cut at a
// field boundary.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <string>

#include "agent/abi/ComponentRegistry.h"
#include "protocol/TrCodes.h"
#include "sandbox/fixture/FixtureProtocol.h"
#include "tests/support/BuiltFile.h"
#include "tests/ui/qt/FixtureAgentRig.h"
#include "tests/ui/qt/QtRig.h"
#include "ui/qt/ByteRulerTip.h"
#include "ui/qt/CatalogueWindow.h"
#include "ui/qt/TextTableModel.h"
#include "ui/qt/ToolWindows.h"

namespace zqk::qttest {
namespace {

QString Q(std::string_view cp949) {
  return FromCp949(cp949);
}

// Each character as a key press with that text, as an input method delivers
// Korean.
void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

CatalogueWindow* OpenCatalogue(WindowRig& rig) {
  QTest::keyClick(&rig.view(), Qt::Key_F2);
  return qobject_cast<CatalogueWindow*>(rig.view().ToolWindow(ToolIndex(Qt::Key_F2)));
}

TEST(CatalogueWindowTest, FiltersAsTypedAndUseMakesRqTestSendTheComposedInput) {
  WindowRig rig;
  ASSERT_TRUE(ConnectFixtureAgent(rig, R"({"results": {"GetCommState": 1, "RequestTr": [7]}})"));
  std::vector<std::string> sent;
  rig.dlg().Agent().SetCallObserver(
      [&](const OperationInfo& op, std::span<const AgentArg> args, const AgentResult&) {
        if (op.name == "RequestTr") sent = {std::string(args[0].str), std::string(args[1].str)};
      });
  rig.dlg().Click(id::kFidMode);

  CatalogueWindow* window = OpenCatalogue(rig);
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), Q("요청 목록"));
  QTest::keyClicks(window->FilterEdit(), QStringLiteral("o512"));
  EXPECT_EQ(window->ListedCodes(), (std::vector<std::string>{"o51211", "o51200"}));
  EXPECT_EQ(window->ListModel().Rows()[1][3], Q("해외 분봉"));
  EXPECT_EQ(window->Form()->Entry().code, "o51211");  // the first one listed is selected
  QTest::keyClick(window->List(), Qt::Key_Down);
  ASSERT_EQ(window->Form()->Entry().code, "o51200");
  EXPECT_EQ(window->LayoutModel().Rows().size(), 3u);
  EXPECT_FALSE(window->ReplyModel().Rows().empty());

  // Each edit holds at most its byte width; a Korean character is never cut.
  const std::vector<QLineEdit*>& edits = window->FormEdits();
  ASSERT_EQ(edits.size(), 3u);
  edits[1]->clear();
  TypeText(edits[1], Q("가나"));
  EXPECT_EQ(edits[1]->text(), Q("가"));
  edits[1]->clear();
  QTest::keyClicks(edits[1], QStringLiteral("1"));
  edits[2]->clear();
  QTest::keyClicks(edits[2], QStringLiteral("312345"));
  EXPECT_EQ(edits[2]->text(), QStringLiteral("3123"));
  const std::string input = "ESU16" + std::string(27, ' ') + "1  3123";
  EXPECT_TRUE(window->Composed()->text().contains(QStringLiteral("39")));

  QTest::keyClick(edits[2], Qt::Key_Return);  // Enter is Use
  EXPECT_TRUE(rig.model().IsChecked(id::kTrMode));
  EXPECT_EQ(rig.model().Text(id::kTrCode), "o51200");
  EXPECT_EQ(rig.model().Text(id::kTrInput), input);
  EXPECT_EQ(rig.Widget<QLineEdit>(id::kTrInput)->text(), Q(input));

  rig.Widget<QPushButton>(id::kRqTest)->click();
  EXPECT_EQ(sent, (std::vector<std::string>{"o51200", input}));

  // The filter keeps the selection on its entry while it is listed.
  window->FilterEdit()->setText(QStringLiteral("분봉"));
  EXPECT_EQ(window->ListedCodes(), (std::vector<std::string>{"o51200"}));
  window->FilterEdit()->setText(QStringLiteral("no such code"));
  EXPECT_TRUE(window->ListedCodes().empty());
  EXPECT_FALSE(window->UseButton()->isEnabled());
  rig.dlg().Click(id::kEnglish);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Request Catalogue"));
}

TEST(CatalogueWindowTest, DoubleClickUsesARealTypeOrAnOrderCode) {
  WindowRig rig;
  CatalogueWindow* window = OpenCatalogue(rig);
  ASSERT_TRUE(window->Select("65"));
  QTest::keyClick(window->List(), Qt::Key_Return);
  EXPECT_EQ(rig.model().Text(id::kRealKey), "101G3000");
  EXPECT_EQ(rig.model().Text(id::kRealType), "65");

  ASSERT_TRUE(window->Select(tr::kOverseasNewOrder));
  EXPECT_EQ(window->LayoutModel().Rows()[0][0], Q("계좌번호"));
  window->UseButton()->click();
  EXPECT_EQ(rig.model().Text(id::kOrderTrCode), tr::kOverseasNewOrder);
}

TEST(ByteRulerTipTest, NamesTheFieldUnderTheCaretAndWarnsOfACutKoreanName) {
  WindowRig rig;
  auto* ruler = rig.view().findChild<ByteRulerTip*>();
  ASSERT_TRUE(ruler);
  rig.dlg().EditText(id::kOrderTrCode, tr::kDomesticNewOrder);
  // The product's last byte holds the first half of a Korean character.
  std::string record = "06801004   6042    " + std::string(29, 'A') + "삼성" + "211";
  rig.dlg().EditText(id::kOrderRecord, record);
  auto* edit = rig.Widget<QLineEdit>(id::kOrderRecord);
  edit->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }));
  // 19 characters in: the product's first byte.
  edit->setCursorPosition(19);
  ASSERT_TRUE(ruler->Tip()->isVisible());
  const QString tip = ruler->TipText();
  EXPECT_TRUE(tip.contains(Q("종목코드"))) << tip.toStdString();
  EXPECT_TRUE(tip.contains(QStringLiteral("19+32"))) << tip.toStdString();
  EXPECT_TRUE(tip.contains(Q("50바이트의 2바이트 문자가"))) << tip.toStdString();
  EXPECT_TRUE(tip.contains(Q("55바이트: 레이아웃은 132바이트"))) << tip.toStdString();
  // The geometry of no control changes.
  const QRect before = edit->geometry();
  edit->setCursorPosition(0);
  EXPECT_TRUE(ruler->TipText().contains(Q("계좌번호")));
  EXPECT_EQ(edit->geometry(), before);

  // The mouse over the first character of the record: the account.
  QTest::mouseMove(edit, QPoint(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) / 2 + 3,
                                edit->height() / 2));
  EXPECT_TRUE(ruler->TipText().contains(Q("계좌번호")));
  rig.Widget<QLineEdit>(id::kUserId)->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !edit->hasFocus(); }));
}

}  // namespace
}  // namespace zqk::qttest
