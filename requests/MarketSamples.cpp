#include "requests/MarketSamples.h"

#include <array>
#include <cstdio>
#include <vector>

#include "protocol/OrderLayouts.h"
#include "protocol/QueryInputs.h"
#include "protocol/RealTypes.h"
#include "protocol/Replies.h"
#include "protocol/TrCodes.h"
#include "requests/OrderComposer.h"

namespace zqk {
namespace {

// The order-feed account: the account number filled with blanks to the
// registration's account width.
std::string FeedAccount(std::string_view number) {
  return PadField(number, protocol::kOrderFeedAccountWidth, true, ' ');
}

std::string OrderSample(std::string_view trCode) {
  return std::string(protocol::FindOrderLayout(trCode)->sample);
}

// The FID field list that asks for every field of a reply's first record.
std::string EveryField(std::string_view fidCode) {
  return FieldNumberList(static_cast<int>(protocol::ReplyOf(fidCode).records[0].fields.size()) - 1);
}

std::vector<SampleText> DomesticSamples() {
  return {
      {SampleField::kTrCode, std::string(tr::kDomesticProducts)},
      {SampleField::kTrInput, std::string(protocol::SampleInput(tr::kDomesticProducts))},
      {SampleField::kFidCode, std::string(tr::kDomesticSymbol)},
      {SampleField::kFidInput, std::string(protocol::SampleInput(tr::kDomesticSymbol))},
      {SampleField::kFidFieldList, EveryField(tr::kDomesticSymbol)},
      {SampleField::kRealKey, "101G3000"},
      {SampleField::kRealType, std::to_string(real::kDomesticTrade)},
      {SampleField::kOrderRealAccount, FeedAccount("07215003")},
      {SampleField::kOrderTrCode, std::string(tr::kDomesticNewOrder)},
      {SampleField::kOrderRecord, OrderSample(tr::kDomesticNewOrder)},
  };
}

// The overseas and FX margin quotes are registered under the keys that
// their price queries take.
std::vector<SampleText> OverseasSamples() {
  const std::string product(protocol::SampleInput(tr::kOverseasPrice));
  return {
      {SampleField::kTrCode, std::string(tr::kOverseasDeposit)},
      {SampleField::kTrInput, std::string(protocol::SampleInput(tr::kOverseasDeposit))},
      {SampleField::kFidCode, std::string(tr::kOverseasPrice)},
      {SampleField::kFidInput, product},
      {SampleField::kFidFieldList, EveryField(tr::kOverseasPrice)},
      {SampleField::kRealKey, product},
      {SampleField::kRealType, std::to_string(real::kOverseasTrade)},
      {SampleField::kOrderRealAccount, FeedAccount("016304")},
      {SampleField::kOrderTrCode, std::string(tr::kOverseasNewOrder)},
      {SampleField::kOrderRecord, OrderSample(tr::kOverseasNewOrder)},
  };
}

std::vector<SampleText> FxSamples() {
  const std::string pair(protocol::SampleInput(tr::kFxMaster));
  return {
      {SampleField::kTrCode, std::string(tr::kFxAssets)},
      {SampleField::kTrInput, std::string(protocol::SampleInput(tr::kFxAssets))},
      {SampleField::kFidCode, std::string(tr::kFxMaster)},
      {SampleField::kFidInput, pair},
      {SampleField::kFidFieldList, "000001002010"},
      {SampleField::kRealKey, pair},
      {SampleField::kRealType, std::to_string(real::kFxQuote)},
      {SampleField::kOrderRealAccount, FeedAccount("017539")},
      {SampleField::kOrderTrCode, std::string(tr::kFxNewOrder)},
      {SampleField::kOrderRecord, OrderSample(tr::kFxNewOrder)},
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
