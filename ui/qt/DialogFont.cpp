#include "ui/qt/DialogFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>

namespace zqk {

QFont DialogFont(const DialogTemplate& dialog) {
  QFont font = QApplication::font();
  const QString family = QString::fromLatin1(kDialogFontFamily);
  if (QFontDatabase::families().contains(family)) font.setFamily(family);
  font.setPointSize(dialog.fontPointSize);
  return font;
}

DialogBaseUnits MeasureBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const QString sample = QString::fromLatin1(kAverageWidthSample.data(),
                                             static_cast<qsizetype>(kAverageWidthSample.size()));
  return BaseUnitsFromFont(metrics.horizontalAdvance(sample), metrics.height());
}

}  // namespace zqk
