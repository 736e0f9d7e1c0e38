#include "ui/qt/ByteRulerTip.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <string>
#include <vector>

#include "ui/qt/Cp949Text.h"
#include "ui/qt/DialogView.h"

namespace zqk {
namespace {

constexpr ControlId kRuledEdits[] = {id::kTrInput, id::kFidInput, id::kOrderRecord};

QString Escaped(std::string_view cp949) {
  return FromCp949(cp949).toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
}

}  // namespace

ByteRulerTip::ByteRulerTip(CZQKCommClientDlg& dlg, DialogView& view)
    : QObject(&view), dlg_(dlg), view_(view) {
  tip_ = new QLabel(&view, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                               Qt::WindowDoesNotAcceptFocus);
  tip_->setObjectName(QStringLiteral("byteRuler"));
  tip_->setTextFormat(Qt::RichText);
  tip_->setMargin(3);
  tip_->setFrameShape(QFrame::Box);
  tip_->setAttribute(Qt::WA_TransparentForMouseEvents);
  tip_->setAttribute(Qt::WA_ShowWithoutActivating);
  tip_->setPalette(QPalette(QColor(0xFF, 0xFF, 0xE1)));
  tip_->setAutoFillBackground(true);
  view.installEventFilter(this);
  for (size_t i = 0; i < edits_.size(); ++i) {
    const ControlId id = kRuledEdits[i];
    auto* edit = qobject_cast<QLineEdit*>(view.Control(id));
    edits_[i] = edit;
    if (!edit) continue;
    edit->setMouseTracking(true);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::cursorPositionChanged, this, [this, id, edit](int, int position) {
      if (edit->hasFocus() && !byMouse_) ShowAt(id, position);
    });
    connect(edit, &QLineEdit::textChanged, this, [this, id, edit] {
      if (shown_ == id && edit->hasFocus()) ShowAt(id, edit->cursorPosition());
    });
  }
}

ByteRulerTip::~ByteRulerTip() {
  delete tip_.data();
}

std::optional<ControlId> ByteRulerTip::IdOf(const QObject* edit) const {
  for (size_t i = 0; i < edits_.size(); ++i) {
    if (edits_[i] && edits_[i] == edit) return kRuledEdits[i];
  }
  return std::nullopt;
}

QLineEdit* ByteRulerTip::EditOf(ControlId id) const {
  for (size_t i = 0; i < edits_.size(); ++i) {
    if (kRuledEdits[i] == id) return edits_[i];
  }
  return nullptr;
}

int ByteRulerTip::CharacterAt(QLineEdit& edit, int x) {
  const QString text = edit.displayText();
  if (text.isEmpty()) return 0;
  const QFontMetrics metrics = edit.fontMetrics();
  // The edit tells the nearest caret position only; where it turns from 0
  // to 1 is the middle of the first character, which fixes where the text
  // starts however the edit has scrolled it.
  int low = -(1 << 15);
  int high = 1 << 15;
  while (low < high) {
    const int mid = low + (high - low) / 2;
    if (edit.cursorPositionAt(QPoint(mid, edit.height() / 2)) >= 1) {
      high = mid;
    } else {
      low = mid + 1;
    }
  }
  const int start = low - metrics.horizontalAdvance(text.left(1)) / 2;
  int character = 0;
  while (character < text.size() &&
         start + metrics.horizontalAdvance(text.left(character + 1)) <= x) {
    ++character;
  }
  return character;
}

void ByteRulerTip::ShowAt(ControlId id, int position) {
  QLineEdit* edit = EditOf(id);
  const std::optional<RulerReading> reading = ReadRuler(dlg_.Model(), id);
  if (!edit || !reading) return;
  const bool korean = dlg_.IsKorean();
  const size_t byte = ToCp949(edit->text().left(position)).size();
  // Plain lines first; the warnings, after the field, in red.
  std::string head = reading->code;
  std::string field;
  std::vector<std::string> warnings;
  if (!reading->hasLayout) {
    head.append("  ").append(dlg_.Lang("레이아웃 없음", "no layout"));
  } else {
    if (!reading->layoutName.empty()) head.append(" ").append(reading->layoutName);
    head.append("  ").append(std::to_string(reading->textLength)).append("/");
    head.append(std::to_string(reading->layoutLength)).append(dlg_.Lang("바이트", " bytes"));
    field.append(dlg_.Lang("바이트 ", "byte ")).append(std::to_string(byte)).append(": ");
    if (const std::optional<size_t> at = reading->FieldAt(byte)) {
      field.append(RulerFieldText(reading->fields[*at], korean));
    } else {
      field.append(dlg_.Lang("레이아웃 밖", "past the layout's end"));
    }
    for (const RulerWarning& warning : reading->warnings) {
      warnings.push_back("! " + RulerWarningText(*reading, warning, korean));
    }
  }
  QStringList plain{FromCp949(head)};
  QString html = QStringLiteral("<b>%1</b>").arg(Escaped(head));
  if (!field.empty()) {
    plain << FromCp949(field);
    html += QStringLiteral("<br><b>%1</b>").arg(Escaped(field));
  }
  for (const std::string& warning : warnings) {
    plain << FromCp949(warning);
    html += QStringLiteral("<br><span style='color:#b00000'>%1</span>").arg(Escaped(warning));
  }
  plain_ = plain.join(QLatin1Char('\n'));
  tip_->setText(html);
  tip_->adjustSize();
  tip_->move(edit->mapToGlobal(QPoint(0, edit->height() + 2)));
  tip_->show();
  shown_ = id;
}

void ByteRulerTip::Hide() {
  tip_->hide();
  shown_.reset();
  byMouse_ = false;
}

bool ByteRulerTip::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &view_) {
    switch (event->type()) {
      case QEvent::Hide:
      case QEvent::Move:
      case QEvent::WindowDeactivate:
        Hide();
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }
  const std::optional<ControlId> id = IdOf(watched);
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (!id || !edit) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseMove:
      byMouse_ = true;
      ShowAt(*id, CharacterAt(*edit, static_cast<QMouseEvent*>(event)->position().toPoint().x()));
      break;
    case QEvent::Leave:
      byMouse_ = false;
      if (edit->hasFocus()) {
        ShowAt(*id, edit->cursorPosition());
      } else if (shown_ == id) {
        Hide();
      }
      break;
    case QEvent::FocusIn:
      ShowAt(*id, edit->cursorPosition());
      break;
    case QEvent::FocusOut:
      if (shown_ == id && !byMouse_) Hide();
      break;
    case QEvent::KeyPress:
      byMouse_ = false;
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zqk
