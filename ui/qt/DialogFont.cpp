#include "ui/qt/DialogFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>

namespace zqk {

QFont DialogFont() {
  QFont font = QApplication::font();
  const QStringList installed = QFontDatabase::families();
  for (const DialogFace& face : kDialogFaces) {
    const QString family = QString::fromLatin1(face.family);
    if (!installed.contains(family)) continue;
    font.setFamily(family);
    font.setPixelSize(face.pixelSize);
    return font;
  }
  font.setPixelSize(kDialogFaces[0].pixelSize);
  return font;
}

DialogBaseUnits MeasureBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const QString sample = QString::fromLatin1(kAverageWidthSample.data(),
                                             static_cast<qsizetype>(kAverageWidthSample.size()));
  return BaseUnitsFromFont(metrics.horizontalAdvance(sample), metrics.height());
}

}  // namespace zqk
