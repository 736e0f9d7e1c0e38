// The domestic listing: the KOSPI200 and KOSPI indices, KOSPI200 futures
// (quarterly), mini KOSPI200 futures (monthly) and KOSPI200 options
// (monthly), for the years 2016 to 2022 of the sandbox's year letters.
#include <cstdio>
#include <string>

#include "sandbox/market/Calendar.h"
#include "sandbox/market/KospiMultiplier.h"
#include "sandbox/market/ProductUniverse.h"

namespace zqk::sandbox::market {
namespace {

constexpr char kYearLetters[] = "FGHJKLM";  // 2016 .. 2022
constexpr int kFirstYear = 2016;
constexpr char kMonthChars[] = "123456789ABC";

// Index level at agent start, raw (2 decimals).
constexpr int64_t kKospi200 = 26050;

std::string Yyyymm(int year, int month) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d", year % 10000, month % 100);
  return text;
}

std::string Yymm(int year, int month) {
  return Yyyymm(year, month).substr(2);
}

Product Index(std::string code, std::string name, std::string english, int64_t level, double vol) {
  Product p;
  p.code = code;
  p.name = name;
  p.shortName = std::move(name);
  p.englishName = std::move(english);
  p.market = Market::kDomestic;
  p.kind = ProductKind::kIndex;
  p.exchange = "KRX";
  p.currency = "KRW";
  p.root = std::move(code);
  p.rootName = p.name;
  p.decimals = 2;
  p.tick = 1;
  p.multiplier = 1;
  p.reference = level;
  p.dailyVol = vol;
  p.tradeRate = 0;
  return p;
}

Product Future(const char* family, const char* familyName, const char* shortFamily,
               const char* englishFamily, char yearLetter, int year, int month, int64_t tick,
               double multiplier, double rate) {
  Product p;
  p.code = std::string(family) + yearLetter + kMonthChars[month - 1] + "000";
  p.name = std::string(familyName) + " F " + Yyyymm(year, month);
  p.shortName = std::string(shortFamily) + " F " + Yymm(year, month);
  p.englishName = std::string(englishFamily) + " F " + Yyyymm(year, month);
  p.market = Market::kDomestic;
  p.kind = ProductKind::kFuture;
  p.exchange = "KRX";
  p.currency = "KRW";
  p.root = family;
  p.rootName = familyName;
  p.decimals = 2;
  p.tick = tick;
  p.multiplier = multiplier;
  p.marginRate = 0.09;
  p.expiry = NthWeekday(year, month, 4, 2);
  p.listed = WeekdayOnOrBefore(year - 3, month, 15);
  p.underlying = "KOSPI200";
  p.reference = kKospi200;
  p.dailyVol = 0.009;
  p.tradeRate = rate;
  p.meanQty = 3;
  return p;
}

Product Option(bool call, char yearLetter, int year, int month, int64_t strike, double multiplier) {
  const char* cp = call ? "C" : "P";
  char strikeText[48];
  std::snprintf(strikeText, sizeof strikeText, "%lld.%lld", static_cast<long long>(strike / 100),
                static_cast<long long>(strike % 100 / 10));
  Product p;
  p.code = std::string(call ? "201" : "301") + yearLetter + kMonthChars[month - 1] +
           std::to_string(strike / 100);
  p.name = std::string("코스피200 ") + cp + " " + Yyyymm(year, month) + " " + strikeText;
  p.shortName = std::string("K200 ") + cp + " " + Yymm(year, month) + " " + strikeText;
  p.englishName = std::string("KOSPI200 ") + cp + " " + Yyyymm(year, month) + " " + strikeText;
  p.market = Market::kDomestic;
  p.kind = call ? ProductKind::kCall : ProductKind::kPut;
  p.exchange = "KRX";
  p.currency = "KRW";
  p.root = call ? "201" : "301";
  p.rootName = call ? "코스피200 콜옵션" : "코스피200 풋옵션";
  p.decimals = 2;
  // 0.01 below 3.00, 0.05 from 3.00 up.
  p.tick = 5;
  p.smallTick = 1;
  p.smallTickBelow = 300;
  p.multiplier = multiplier;
  p.marginRate = 0.09;
  p.expiry = NthWeekday(year, month, 4, 2);
  p.listed = WeekdayOnOrBefore(year - 1, month, 15);
  p.strike = strike;
  p.underlying = "KOSPI200";
  p.reference = kKospi200;
  // Out-of-the-money strikes price at a higher volatility (the smile).
  const double moneyness = static_cast<double>(strike - kKospi200) / kKospi200;
  p.impliedVol = 0.16 + 1.5 * moneyness * moneyness;
  p.tradeRate = 0.4;
  p.meanQty = 6;
  return p;
}

}  // namespace

void AddDomesticProducts(std::vector<Product>& out, int32_t termsDate) {
  out.push_back(Index("KOSPI200", "코스피200지수", "KOSPI200 Index", kKospi200, 0.009));
  out.push_back(Index("KOSPI", "코스피지수", "KOSPI Index", 203465, 0.008));

  for (int y = 0; kYearLetters[y]; ++y) {
    for (int month = 3; month <= 12; month += 3) {
      out.push_back(Future("101", "코스피200", "K200", "KOSPI200", kYearLetters[y], kFirstYear + y,
                           month, 5, KospiMultiplierOn("101", termsDate), y == 0 ? 6 : 1.5));
    }
  }
  // Mini futures: the monthly contracts of 2016 and 2017.
  for (int y = 0; y < 2; ++y) {
    for (int month = 1; month <= 12; ++month) {
      out.push_back(Future("105", "미니코스피200", "미니K200", "Mini KOSPI200", kYearLetters[y],
                           kFirstYear + y, month, 2, KospiMultiplierOn("105", termsDate), 1));
    }
  }
  // Options: every month, nine strikes from 240.0 to 260.0.
  for (int y = 0; kYearLetters[y]; ++y) {
    for (int month = 1; month <= 12; ++month) {
      for (bool call : {true, false}) {
        for (int64_t strike = 24000; strike <= 26000; strike += 250) {
          out.push_back(Option(call, kYearLetters[y], kFirstYear + y, month, strike,
                               KospiMultiplierOn(call ? "201" : "301", termsDate)));
        }
      }
    }
  }
}

}  // namespace zqk::sandbox::market
