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
      {id::kTrCode, std::string(tr::kDomesticProducts)},
      {id::kTrInput, "101F"},
      {id::kFidCode, std::string(tr::kDomesticSymbol)},
      {id::kFidInput, "101M300020001"},
      {id::kFidFieldList, FieldNumberList(232)},
      {id::kRealKey, "101G3000"},
      {id::kRealType, "65"},
      {id::kOrderRealAccount, Field("07215003", 11)},
      {id::kOrderTrCode, std::string(tr::kDomesticNewOrder)},
      {id::kOrderRecord, DomesticSampleOrder()},
  };
}

std::vector<SampleText> OverseasSamples() {
  return {
      {id::kTrCode, std::string(tr::kOverseasDeposit)},
      {id::kTrInput, OverseasAccountInput()},
      {id::kFidCode, std::string(tr::kOverseasPrice)},
      {id::kFidInput, Field("ESU16", 32)},
      {id::kFidFieldList, FieldNumberList(37)},
      {id::kRealKey, Field("ESU16", 32)},
      {id::kRealType, "82"},
      {id::kOrderRealAccount, Field("016304", 11)},
      {id::kOrderTrCode, std::string(tr::kOverseasNewOrder)},
      {id::kOrderRecord, OverseasSampleOrder()},
  };
}

std::vector<SampleText> FxSamples() {
  return {
      {id::kTrCode, std::string(tr::kFxAssets)},
      {id::kTrInput, FxAccountInput()},
      {id::kFidCode, std::string(tr::kFxMaster)},
      {id::kFidInput, Field("EUR/USD", 10)},
      {id::kFidFieldList, "000001002010"},
      {id::kRealKey, Field("EUR/USD", 10)},
      {id::kRealType, "171"},
      {id::kOrderRealAccount, Field("017539", 11)},
      {id::kOrderTrCode, std::string(tr::kFxNewOrder)},
      {id::kOrderRecord, FxSampleOrder()},
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
    {id::kPriceType, kDomesticPriceTypes},
    {id::kFillCondition, kDomesticFillConditions},
}};
constexpr std::array<PickList, 3> kOverseasLists{{
    {id::kPriceType, kOverseasPriceTypes},
    {id::kFillCondition, kOverseasFillConditions},
    {id::kOrderKind, kOrderKinds},
}};
constexpr std::array<PickList, 1> kFxLists{{
    {id::kOrderKind, kOrderKinds},
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

std::string_view MarketSample(Market market, ControlId id) {
  for (const SampleText& s : MarketSamples(market)) {
    if (s.id == id) return s.text;
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
