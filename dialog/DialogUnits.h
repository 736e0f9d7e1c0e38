#pragma once
// Dialog units to pixels, by the platform's dialog-manager rule: the base units
// are the dialog font's average character width and its height, and a
// horizontal dialog unit is a quarter of the one, a vertical unit an eighth of
// the other. Pure arithmetic, so that the layout is testable without a window.

#include <string_view>

#include "dialog/DialogTemplate.h"

namespace zqk {

struct DialogBaseUnits {
  int cx = 0;  // average character width, pixels
  int cy = 0;  // character height, pixels
  constexpr bool operator==(const DialogBaseUnits&) const = default;
};

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  constexpr bool operator==(const PixelRect&) const = default;
};

// The text whose width, divided by its 52 letters, is the average width.
inline constexpr std::string_view kAverageWidthSample =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// `sampleWidth`: the advance of kAverageWidthSample in the dialog font;
// `fontHeight`: that font's height (ascent plus descent). The average is
// rounded to the nearest pixel, halves up, as ((w / 26) + 1) / 2.
DialogBaseUnits BaseUnitsFromFont(int sampleWidth, int fontHeight);

// number * numerator / denominator with a 64-bit product, rounded to the
// nearest integer, halves away from zero; -1 when the denominator is 0 or the
// result does not fit an int (the platform's MulDiv).
int MulDiv(int number, int numerator, int denominator);

int DluToPixelsX(int dlu, DialogBaseUnits units);
int DluToPixelsY(int dlu, DialogBaseUnits units);
// Each of position and size is mapped on its own, as controls are created.
PixelRect MapDialogRect(const DluRect& rect, DialogBaseUnits units);

}  // namespace zqk
