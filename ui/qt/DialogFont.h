#pragma once
// The dialog font and the base units measured on it. The templates name a
// 9-point Windows shell font that Linux does not have; a Korean UI face stands
// in, at the size at which every caption of the main dialog fits its rectangle
// in both languages with that face's metrics (a measured choice: at 12 and 14
// pixels the average character width rounds down, the rectangles shrink and
// Korean captions are cut off).

#include <QFont>
#include <span>

#include "dialog/DialogUnits.h"

namespace zqk {

struct DialogFace {
  const char* family;
  int pixelSize;  // device-independent pixels: 13 is 9.75 points at 96 dpi
};

// In order of preference; the first one installed is the dialog font. The
// second is for a system without fonts-nanum: there the master-file buttons'
// captions lose a pixel.
inline constexpr DialogFace kDialogFaces[] = {{"NanumBarunGothic", 13}, {"Noto Sans CJK KR", 13}};

// The first installed face of kDialogFaces, or the application's default
// family at the first face's size when none is.
QFont DialogFont();
DialogBaseUnits MeasureBaseUnits(const QFont& font);

}  // namespace zqk
