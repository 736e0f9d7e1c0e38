#include "ui/qt/CaptionLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace zqk {

bool CaptionLabel::Elided() const {
  return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

QString CaptionLabel::ShownText() const {
  return Elided() ? fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width())
                  : text();
}

void CaptionLabel::paintEvent(QPaintEvent* event) {
  if (!Elided()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(),
                        isEnabled(), ShownText(), foregroundRole());
}

bool CaptionLabel::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && Elided()) {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    return true;
  }
  return QLabel::event(event);
}

}  // namespace zqk
