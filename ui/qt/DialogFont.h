#pragma once
// The dialog font and the base units measured on it. The template names a
// 9-point Windows shell font that Linux does not have; a CJK sans at the same
// size stands in, so that Korean captions render with one consistent face.

#include <QFont>

#include "ui/DialogUnits.h"

namespace zqk {

inline constexpr const char* kDialogFontFamily = "Noto Sans CJK KR";

// The font of template `dialog` (its point size) in kDialogFontFamily, or the
// application's default family when that is not installed.
QFont DialogFont(const DialogTemplate& dialog);
DialogBaseUnits MeasureBaseUnits(const QFont& font);

}  // namespace zqk
