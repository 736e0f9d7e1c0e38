// The byte ruler: which field a byte of an order record or a query input
// falls in, and the warnings of a text against its layout.
#include <gtest/gtest.h>

#include <string>

#include "dialog/ByteRuler.h"
#include "dialog/ControlModel.h"
#include "dialog/DialogTemplate.h"
#include "protocol/OrderLayouts.h"
#include "protocol/TrCodes.h"

namespace zqk {
namespace {

std::string Field(std::string_view value, size_t width) {
  std::string out(value);
  out.resize(width, ' ');
  return out;
}

// A domestic new order whose product field ends in a Korean name: its last
// character begins at byte 50, the product's last, and ends in the buy/sell
// field.
std::string RecordWithKoreanNameCut() {
  std::string record = Field("06801004", 11) + Field("6042", 8);
  record += std::string(29, 'A') + "삼성";  // 29 + 4 bytes: one past the product's 32
  record += "211" + Field("255.20", 13) + Field("1", 5) + Field("", 60);
  return record;
}

TEST(ByteRuler, ReadsAKoreanNameCutAtAFieldBoundary) {
  const std::string record = RecordWithKoreanNameCut();
  const RulerReading r = ReadOrderRecord(tr::kDomesticNewOrder, record);
  ASSERT_TRUE(r.hasLayout);
  EXPECT_EQ(r.layoutName, "D-N");
  EXPECT_EQ(r.layoutLength, 132u);
  EXPECT_EQ(r.textLength, 133u);

  const RulerField& product = r.fields[*r.FieldAt(19)];
  EXPECT_EQ(product.name, protocol::OrderFieldName(OrderField::kProduct));
  EXPECT_EQ(product.offset, 19u);
  EXPECT_EQ(product.width, 32u);
  EXPECT_EQ(r.FieldAt(50), r.FieldAt(19));
  EXPECT_EQ(r.fields[*r.FieldAt(51)].name, protocol::OrderFieldName(OrderField::kBuySell));
  EXPECT_FALSE(r.FieldAt(132));  // the byte too many

  ASSERT_EQ(r.warnings.size(), 2u);
  EXPECT_EQ(r.warnings[0].problem, RulerProblem::kLength);
  EXPECT_EQ(r.warnings[1].problem, RulerProblem::kStraddle);
  EXPECT_EQ(r.warnings[1].offset, 50u);
  EXPECT_EQ(r.fields[r.warnings[1].field].name, product.name);
  // Every later field is pushed one byte right; their values still fit.
  EXPECT_EQ(r.fields[*r.FieldAt(54)].text, "1255.20      ");
  EXPECT_EQ(RulerWarningText(r, r.warnings[1], false),
            "50: a double-byte character straddles " +
                std::string(protocol::OrderFieldName(OrderField::kProduct)) + " and " +
                std::string(protocol::OrderFieldName(OrderField::kBuySell)));
}

struct KindRow {
  std::string price;
  bool fits;
};

TEST(ByteRuler, WarnsOfAValueThatDoesNotFitItsKind) {
  const KindRow rows[] = {{"255.20", true}, {"-0.5", true}, {"25A.20", false}, {"", true}};
  for (const KindRow& row : rows) {
    const std::string record = Field("06801004", 11) + Field("6042", 8) + Field("101G3000", 32) +
                               "211" + Field(row.price, 13) + Field("1", 5) + Field("", 60);
    const RulerReading r = ReadOrderRecord(tr::kDomesticNewOrder, record);
    EXPECT_EQ(r.warnings.empty(), row.fits) << row.price;
  }
}

TEST(ByteRuler, ReadsQueryInputsWithReservedBytesAndCodesWithoutLayout) {
  // The minute bars' input, one byte short: its fields and no kind problem.
  const RulerReading bars = ReadQueryInput(tr::kMinuteBars, Field("ESU16", 32) + "  1  3");
  ASSERT_TRUE(bars.hasLayout);
  EXPECT_EQ(bars.fields.size(), 3u);
  EXPECT_EQ(bars.fields[2].text, "  3");
  ASSERT_EQ(bars.warnings.size(), 1u);
  EXPECT_EQ(bars.warnings[0].problem, RulerProblem::kLength);
  EXPECT_EQ(RulerWarningText(bars, bars.warnings[0], false), "38 bytes; the layout takes 39");

  const RulerReading none = ReadOrderRecord("", "anything");
  EXPECT_FALSE(none.hasLayout);
  EXPECT_TRUE(none.fields.empty());
  EXPECT_TRUE(none.warnings.empty());
}

TEST(ByteRuler, ReadsTheEditsByTheirCodeEdits) {
  ControlModel model(MainDialogTemplate());
  model.SetText(id::kOrderTrCode, std::string(tr::kDomesticNewOrder));
  model.SetText(id::kOrderRecord, RecordWithKoreanNameCut());
  model.SetText(id::kFidCode, std::string(tr::kFxMaster));
  model.SetText(id::kFidInput, "EUR/USD");
  EXPECT_EQ(ReadRuler(model, id::kOrderRecord)->layoutName, "D-N");
  EXPECT_EQ(ReadRuler(model, id::kFidInput)->layoutLength, 10u);
  EXPECT_FALSE(ReadRuler(model, id::kTrInput)->hasLayout);  // no code in 1010 yet
  EXPECT_FALSE(ReadRuler(model, id::kRealKey));
}

}  // namespace
}  // namespace zqk
