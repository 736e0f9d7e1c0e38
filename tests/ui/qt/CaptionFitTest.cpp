// Every caption of the dialog templates, as the template has it and in both
// languages, measured with the dialog font's metrics against the room that
// its widget's style gives the text, so that a caption change cannot cut a
// caption off unnoticed.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QToolTip>
#include <set>
#include <string>
#include <utility>

#include "dialog/LanguageTables.h"
#include "tests/ui/qt/QtRig.h"
#include "text/Cp949.h"
#include "ui/qt/AboutBox.h"
#include "ui/qt/CaptionLabel.h"
#include "ui/qt/DialogFont.h"

namespace zqk::qttest {
namespace {

// English captions that are longer than their label at any legible size
// (the label is 26 to 31 dialog units wide): they are drawn elided, with the
// whole caption as the tool tip.
const std::set<std::pair<int, std::string>> kElidedCaptions = {
    {1076, "Account Num"}, {1085, "Order Classification"}, {1091, "Order TR"}};

QString CaptionOf(const QWidget* widget) {
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* box = qobject_cast<const QGroupBox*>(widget)) return box->title();
  return {};
}

// The rectangle in which the widget's style draws the caption.
QRect CaptionRoom(const QWidget* widget) {
  const QStyle* style = widget->style();
  QStyleOptionButton button;
  button.initFrom(widget);
  button.text = CaptionOf(widget);
  if (qobject_cast<const QPushButton*>(widget)) {
    // The style's own button size keeps its margin beside the text.
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, &button, widget);
    return style->subElementRect(QStyle::SE_PushButtonContents, &button, widget)
        .adjusted(margin / 2, 0, -(margin - margin / 2), 0);
  }
  if (qobject_cast<const QRadioButton*>(widget)) {
    return style->subElementRect(QStyle::SE_RadioButtonContents, &button, widget);
  }
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->contentsRect();
  if (auto* box = qobject_cast<const QGroupBox*>(widget)) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect label =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    // The title keeps the same distance from the right edge as from the left.
    return QRect(label.left(), label.top(), box->width() - 2 * label.left(), label.height());
  }
  return {};
}

// Checks the caption that `widget` shows now; `id` and `text` name it.
void ExpectFits(const QWidget* widget, int id, const std::string& text) {
  const QString caption = CaptionOf(widget);
  const QSize need = widget->fontMetrics().size(Qt::TextShowMnemonic, caption);
  const QRect room = CaptionRoom(widget);
  const std::string where = std::to_string(id) + " \"" + Cp949ToUtf8(text) + "\"";
  EXPECT_LE(need.height(), room.height()) << where;
  auto* label = dynamic_cast<const CaptionLabel*>(widget);
  if (kElidedCaptions.contains({id, text})) {
    ASSERT_NE(label, nullptr) << where;
    EXPECT_TRUE(label->Elided()) << where << ": fits now; take it off the list";
    EXPECT_TRUE(label->ShownText().endsWith(QChar(0x2026))) << where;
    EXPECT_LE(widget->fontMetrics().horizontalAdvance(label->ShownText()), room.width()) << where;
    return;
  }
  EXPECT_LE(need.width(), room.width())
      << where << " needs " << need.width() << " px of " << room.width();
  if (label) {
    EXPECT_FALSE(label->Elided()) << where;
  }
}

TEST(CaptionFit, TheDialogFontIsTheMeasuredFace) {
  WindowRig rig;
  const QFontInfo info(rig.view().font());
  EXPECT_EQ(info.family(), QString::fromLatin1(kDialogFaces[0].family))
      << "fonts-nanum is not installed (scripts/install-deps.sh installs it)";
  EXPECT_EQ(info.pixelSize(), kDialogFaces[0].pixelSize);
}

TEST(CaptionFit, EveryCaptionOfTheMainDialogFitsInBothLanguages) {
  WindowRig rig;
  const DialogTemplate& dialog = MainDialogTemplate();
  int measured = 0;
  for (size_t i = 0; i < dialog.controls.size(); ++i) {
    const ControlTemplate& control = dialog.controls[i];
    std::vector<std::string> texts;
    if (*control.caption) texts.emplace_back(control.caption);
    if (const CaptionPair* pair = FindCaption(control.id)) {
      texts.emplace_back(pair->korean);
      texts.emplace_back(pair->english);
    }
    const QWidget* widget = rig.view().TemplateWidget(i);
    for (const std::string& text : texts) {
      // A label without an ID only ever shows its template caption.
      if (control.id != kStaticId) rig.model().SetText(control.id, text);
      ASSERT_EQ(CaptionOf(widget), FromCp949(text)) << control.id.value;
      ExpectFits(widget, control.id.value, text);
      ++measured;
    }
  }
  EXPECT_EQ(measured, 160);  // 62 template captions, 49 pairs
}

TEST(CaptionFit, EveryCaptionOfTheAboutBoxFits) {
  AboutBox box;
  const DialogTemplate& dialog = AboutDialogTemplate();
  const QList<QWidget*> widgets = box.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(static_cast<size_t>(widgets.size()), dialog.controls.size());
  for (size_t i = 0; i < dialog.controls.size(); ++i) {
    const ControlTemplate& control = dialog.controls[i];
    const QWidget* widget = widgets[static_cast<qsizetype>(i)];
    ASSERT_EQ(CaptionOf(widget), FromCp949(control.caption));
    ExpectFits(widget, control.id.value, control.caption);
  }
}

TEST(CaptionFit, AnElidedCaptionKeepsItsWholeTextAsToolTip) {
  WindowRig rig;
  rig.dlg().Click(id::kEnglish);
  auto* label = dynamic_cast<CaptionLabel*>(rig.view().Control(ControlId{1085}));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("Order Classification"));
  ASSERT_TRUE(label->Elided());
  QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(label, &help);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Order Classification"));
  rig.dlg().Click(id::kKorean);
  EXPECT_FALSE(label->Elided());
  EXPECT_EQ(label->ShownText(), FromCp949("매매구분"));
}

}  // namespace
}  // namespace zqk::qttest
