#include "replies/QuoteReplies.h"

#include <string>

#include "protocol/FieldNames.h"

namespace zqk::reply {
namespace {

std::string Field(const Reply& r, std::string_view name) {
  return r.agent.GetFieldValue(r.trCode, kQueryRealType, kOutRec1, 0, name);
}

}  // namespace

void OverseasPriceRecord::Decode(const Reply& r) const {
  LogHeader(r, "해외 현재가시세응답");
  const std::string code = Field(r, field::kProductCode);
  const std::string time = Field(r, field::kLocalTime);
  const std::string price = Field(r, field::kCurrentPrice);
  const std::string volume = Field(r, field::kVolume);
  r.out.SetDisplay(QuoteDisplay::kProduct, code);
  r.out.SetDisplay(QuoteDisplay::kTime, time);
  r.out.SetDisplay(QuoteDisplay::kPrice, r.agent.FormatValue(code, price, 0));
  r.out.SetDisplay(QuoteDisplay::kVolume, volume);
  r.out.Log(Join({"FID 종목[", code, "]시간[", time, "]현재가[", price, "]거래량[", volume, "]"}));
  const std::string first = r.agent.FormatValue(code, price, 0);
  const std::string second = r.agent.FormatValue(code, first, 1);
  const std::string third = r.agent.FormatValue(code, second, 2);
  const std::string fourth = r.agent.FormatValue(code, third, 0);
  r.out.Log(Join(
      {"FID Recv[", price, "]->[", first, "]->[", second, "]->[", third, "]->[", fourth, "]"}));
}

void FxQuoteRecord::Decode(const Reply& r) const {
  LogHeader(r, "FX 마스터데이타");
  const std::string code = Field(r, field::kProductCode);
  const std::string ask = Field(r, field::kAskPrice);
  const std::string bid = Field(r, field::kBidPrice);
  const std::string time = Field(r, field::kQuoteTime);
  r.out.SetDisplay(QuoteDisplay::kProduct, code);
  r.out.SetDisplay(QuoteDisplay::kTime, time);
  r.out.SetDisplay(QuoteDisplay::kPrice, ask);
  r.out.SetDisplay(QuoteDisplay::kVolume, bid);
  r.out.Log(Join({"FID 종목[", code, "]시간[", time, "]매도가격[", ask, "]매수가격[", bid, "]"}));
}

}  // namespace zqk::reply
