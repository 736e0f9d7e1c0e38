#include "dialog/DialogUnits.h"

#include <gtest/gtest.h>

#include <limits>

namespace zqk {
namespace {

struct BaseUnitsRow {
  int sampleWidth;
  int fontHeight;
  DialogBaseUnits expected;
};

class BaseUnitsTest : public testing::TestWithParam<BaseUnitsRow> {};

TEST_P(BaseUnitsTest, AverageWidthRoundsHalvesUp) {
  const BaseUnitsRow& row = GetParam();
  EXPECT_EQ(BaseUnitsFromFont(row.sampleWidth, row.fontHeight), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Fonts, BaseUnitsTest,
                         testing::Values(BaseUnitsRow{312, 13, {6, 13}},  // exactly 6.0 per letter
                                         BaseUnitsRow{337, 13, {6, 13}},  // 6.48: 337/26 = 12 -> 6
                                         BaseUnitsRow{338, 13, {7, 13}},  // 6.5: rounds up
                                         BaseUnitsRow{361, 17, {7, 17}},  // a CJK sans at 12 px
                                         BaseUnitsRow{0, 0, {0, 0}},      // no font at all
                                         BaseUnitsRow{25, 8, {0, 8}}));  // below one pixel a letter

struct MulDivRow {
  int number, numerator, denominator, expected;
};

class MulDivTest : public testing::TestWithParam<MulDivRow> {};

TEST_P(MulDivTest, RoundsToNearestAwayFromZero) {
  const MulDivRow& r = GetParam();
  EXPECT_EQ(MulDiv(r.number, r.numerator, r.denominator), r.expected)
      << r.number << "*" << r.numerator << "/" << r.denominator;
}

INSTANTIATE_TEST_SUITE_P(
    Values, MulDivTest,
    testing::Values(MulDivRow{455, 7, 4, 796},                             // 796.25
                    MulDivRow{377, 17, 8, 801},                            // 801.125
                    MulDivRow{14, 17, 8, 30},                              // 29.75
                    MulDivRow{1, 6, 4, 2},                                 // 1.5 -> 2
                    MulDivRow{-1, 6, 4, -2},                               // -1.5 -> -2
                    MulDivRow{3, 1, -2, -2},                               // negative denominator
                    MulDivRow{5, 3, 0, -1},                                // no denominator
                    MulDivRow{std::numeric_limits<int>::max(), 4, 1, -1},  // overflow
                    MulDivRow{std::numeric_limits<int>::max(), 4, 4,
                              std::numeric_limits<int>::max()}));  // wide product

struct RectRow {
  DluRect dlu;
  DialogBaseUnits units;
  PixelRect expected;
};

class MapDialogRectTest : public testing::TestWithParam<RectRow> {};

TEST_P(MapDialogRectTest, MapsPositionAndSizeSeparately) {
  const RectRow& r = GetParam();
  EXPECT_EQ(MapDialogRect(r.dlu, r.units), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, MapDialogRectTest,
    testing::Values(
        // Edit 1002 under a 6x13 font: 43*6/4 = 64.5 -> 65, 33*13/8 = 53.6 -> 54.
        RectRow{{43, 33, 54, 14}, {6, 13}, {65, 54, 81, 23}},
        // The same edit under 7x17.
        RectRow{{43, 33, 54, 14}, {7, 17}, {75, 70, 95, 30}},
        // The log list box: 7+441 wide; the sum of mapped parts need not equal
        // the mapped sum, which is why each part is mapped on its own.
        RectRow{{7, 290, 441, 62}, {7, 17}, {12, 616, 772, 132}},
        RectRow{{0, 0, 0, 0}, {7, 17}, {0, 0, 0, 0}},
        RectRow{{455, 377, 0, 0}, {6, 13}, {683, 613, 0, 0}}));

}  // namespace
}  // namespace zqk
