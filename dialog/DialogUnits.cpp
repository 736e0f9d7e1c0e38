#include "dialog/DialogUnits.h"

#include <cstdint>
#include <limits>

namespace zqk {

DialogBaseUnits BaseUnitsFromFont(int sampleWidth, int fontHeight) {
  return {((sampleWidth / 26) + 1) / 2, fontHeight};
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const int64_t product = int64_t{number} * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const uint64_t magnitude = product < 0 ? static_cast<uint64_t>(-product) : product;
  const uint64_t divisor =
      denominator < 0 ? static_cast<uint64_t>(-int64_t{denominator}) : denominator;
  const uint64_t rounded = (magnitude + divisor / 2) / divisor;
  if (rounded > static_cast<uint64_t>(std::numeric_limits<int>::max())) return -1;
  const int result = static_cast<int>(rounded);
  return negative ? -result : result;
}

int DluToPixelsX(int dlu, DialogBaseUnits units) {
  return MulDiv(dlu, units.cx, 4);
}
int DluToPixelsY(int dlu, DialogBaseUnits units) {
  return MulDiv(dlu, units.cy, 8);
}

PixelRect MapDialogRect(const DluRect& rect, DialogBaseUnits units) {
  return {DluToPixelsX(rect.x, units), DluToPixelsY(rect.y, units), DluToPixelsX(rect.width, units),
          DluToPixelsY(rect.height, units)};
}

}  // namespace zqk
