#include "requests/MarketSamples.h"

#include <array>
#include <cstdio>
#include <vector>

#include "protocol/TrCodes.h"
#include "requests/OrderComposer.h"

namespace zqk {
namespace {

std::string Blanks(size_t n) {
  return std::string(n, ' ');
}

std::string Field(std::string_view value, size_t width) {
  return PadField(value, width, true, ' ');
}

// Account input A: account number 6, password 4, 4 blanks.
std::string OverseasAccountInput() {
  return Field("016304", 6) + Field("3961", 4) + Blanks(4);
}

// Account input B: user token 8, a blank, account number 6, password 4, 24 blanks.
std::string FxAccountInput() {
  return Field("1torem58", 8) + Blanks(1) + Field("017539", 6) + Field("6042", 4) + Blanks(24);
}

std::string DomesticSampleOrder() {
  return Field("06801004", 11) + Field("6042", 8) + Field("201JB245", 32) + "111110" + Blanks(11) +
         "1";
}

// The overseas New layout up to, not including, its user field.
std::string OverseasSampleOrder() {
  return Field("015872", 6) + Field("6042", 8) + Field("ESU16", 32) + "1" + "2" + "0" +
         Field("0", 15) + Field("1", 10) + "1" + Blanks(34);
}

std::string FxSampleOrder() {
  return Field("017539", 6) + Field("6042", 8) + Field("EUR/USD", 32) + Field("11.24633", 21) +
         Field("1", 15) + "CEO";
}

std::vector<SampleText> DomesticSamples() {
  return {
      {SampleField::kTrCode, std::string(tr::kDomesticProducts)},
      {SampleField::kTrInput, "101F"},
      {SampleField::kFidCode, std::string(tr::kDomesticSymbol)},
      {SampleField::kFidInput, "101M300020001"},
      {SampleField::kFidFieldList, FieldNumberList(232)},
      {SampleField::kRealKey, "101G3000"},
      {SampleField::kRealType, "65"},
      {SampleField::kOrderRealAccount, Field("07215003", 11)},
      {SampleField::kOrderTrCode, std::string(tr::kDomesticNewOrder)},
      {SampleField::kOrderRecord, DomesticSampleOrder()},
  };
}

std::vector<SampleText> OverseasSamples() {
  return {
      {SampleField::kTrCode, std::string(tr::kOverseasDeposit)},
      {SampleField::kTrInput, OverseasAccountInput()},
      {SampleField::kFidCode, std::string(tr::kOverseasPrice)},
      {SampleField::kFidInput, Field("ESU16", 32)},
      {SampleField::kFidFieldList, FieldNumberList(37)},
      {SampleField::kRealKey, Field("ESU16", 32)},
      {SampleField::kRealType, "82"},
      {SampleField::kOrderRealAccount, Field("016304", 11)},
      {SampleField::kOrderTrCode, std::string(tr::kOverseasNewOrder)},
      {SampleField::kOrderRecord, OverseasSampleOrder()},
  };
}

std::vector<SampleText> FxSamples() {
  return {
      {SampleField::kTrCode, std::string(tr::kFxAssets)},
      {SampleField::kTrInput, FxAccountInput()},
      {SampleField::kFidCode, std::string(tr::kFxMaster)},
      {SampleField::kFidInput, Field("EUR/USD", 10)},
      {SampleField::kFidFieldList, "000001002010"},
      {SampleField::kRealKey, Field("EUR/USD", 10)},
      {SampleField::kRealType, "171"},
      {SampleField::kOrderRealAccount, Field("017539", 11)},
      {SampleField::kOrderTrCode, std::string(tr::kFxNewOrder)},
      {SampleField::kOrderRecord, FxSampleOrder()},
  };
}

constexpr std::array<std::string_view, 2> kDomesticPriceTypes{"1.지정가", "2.시장가"};
constexpr std::array<std::string_view, 3> kDomesticFillConditions{"1.FAS", "2.FOK", "3.FAK"};
constexpr std::array<std::string_view, 4> kOverseasPriceTypes{"1.지정가", "2.시장가", "3.STOP",
                                                              "4.STOP지정가"};
constexpr std::array<std::string_view, 5> kOverseasFillConditions{"0.DAY", "1.GTC", "3.IOC",
                                                                  "4.FOK", "6.GTD"};
// Overseas and FX margin orders know no CME kinds, and their kinds stay Korean.
constexpr std::array<std::string_view, 3> kOrderKinds{"신규", "정정", "취소"};

constexpr std::array<PickList, 2> kDomesticLists{{
    {PickListField::kPriceType, kDomesticPriceTypes},
    {PickListField::kFillCondition, kDomesticFillConditions},
}};
constexpr std::array<PickList, 3> kOverseasLists{{
    {PickListField::kPriceType, kOverseasPriceTypes},
    {PickListField::kFillCondition, kOverseasFillConditions},
    {PickListField::kOrderKind, kOrderKinds},
}};
constexpr std::array<PickList, 1> kFxLists{{
    {PickListField::kOrderKind, kOrderKinds},
}};

}  // namespace

std::string FieldNumberList(int last) {
  std::string list;
  if (last < 0) return list;
  list.reserve(static_cast<size_t>(last + 1) * 3);
  char number[16];
  for (int i = 0; i <= last; ++i) {
    std::snprintf(number, sizeof number, "%03d", i);
    list += number;
  }
  return list;
}

std::span<const SampleText> MarketSamples(Market market) {
  static const std::vector<SampleText> kDomestic = DomesticSamples();
  static const std::vector<SampleText> kOverseas = OverseasSamples();
  static const std::vector<SampleText> kFx = FxSamples();
  switch (market) {
    case Market::kDomestic:
      return kDomestic;
    case Market::kOverseas:
      return kOverseas;
    case Market::kFxMargin:
      return kFx;
  }
  return {};
}

std::string_view MarketSample(Market market, SampleField field) {
  for (const SampleText& s : MarketSamples(market)) {
    if (s.field == field) return s.text;
  }
  return {};
}

std::span<const PickList> MarketPickLists(Market market) {
  switch (market) {
    case Market::kDomestic:
      return kDomesticLists;
    case Market::kOverseas:
      return kOverseasLists;
    case Market::kFxMargin:
      return kFxLists;
  }
  return {};
}

}  // namespace zqk
