#include "replies/QuoteReplies.h"

#include <string>

namespace zqk::reply {
namespace {

std::string Field(const Reply& r, std::string_view name) {
  return r.agent.GetFieldValue(r.trCode, kQueryRealType, kOutRec1, 0, name);
}

}  // namespace

void OverseasPriceRecord::Decode(const Reply& r) const {
  LogHeader(r, "해외 현재가시세응답");
  const std::string code = Field(r, "종목코드");
  const std::string time = Field(r, "국내시간");
  const std::string price = Field(r, "현재가");
  const std::string volume = Field(r, "누적거래량");
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
  const std::string code = Field(r, "종목코드");
  const std::string ask = Field(r, "매도가격");
  const std::string bid = Field(r, "매수가격");
  const std::string time = Field(r, "호가시간");
  r.out.SetDisplay(QuoteDisplay::kProduct, code);
  r.out.SetDisplay(QuoteDisplay::kTime, time);
  r.out.SetDisplay(QuoteDisplay::kPrice, ask);
  r.out.SetDisplay(QuoteDisplay::kVolume, bid);
  r.out.Log(Join({"FID 종목[", code, "]시간[", time, "]매도가격[", ask, "]매수가격[", bid, "]"}));
}

}  // namespace zqk::reply
