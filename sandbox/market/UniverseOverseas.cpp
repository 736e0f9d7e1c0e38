// The overseas listing: futures of CME, CBOT, NYMEX, COMEX, EUREX, HKEX and
// SGX, with the contract months from late 2016 into 2018, and options on
// five of them (eleven strikes a month).
#include <QDate>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

#include "sandbox/market/Calendar.h"
#include "sandbox/market/ProductUniverse.h"

namespace zqk::sandbox::market {
namespace {

enum class Expiry {
  kThirdFriday,
  kEurexThirdFriday,
  kThirdWednesdayLess2,
  kDayOfMonth,
  kDayOfPreviousMonth,
  kSecondThursday
};

struct FutureFamily {
  const char* root;
  const char* name;  // Korean
  const char* english;
  const char* exchange;
  const char* currency;
  int decimals;
  int64_t tick;  // raw
  int fraction;
  double multiplier;
  int64_t reference;  // raw, of the first contract
  double dailyVol;
  double tradeRate;
  double meanQty;
  double marginRate;
  const char* months;  // contract month and year codes, blank-separated
  Expiry expiry;
  int expiryDay;  // for kDayOfMonth and kDayOfPreviousMonth
};

// Contract months: the quarterlies of the index, rate and currency futures
// into 2018; energy monthly two years out; metals and grains on their
// exchanges' cycles; the Asian index futures' near months.
constexpr const char* kQuarterly = "U16 Z16 H17 M17 U17 Z17 H18 M18 U18 Z18";
constexpr const char* kEnergy =
    "V16 X16 Z16 F17 G17 H17 J17 K17 M17 N17 Q17 U17 "
    "V17 X17 Z17 F18 G18 H18 J18 K18 M18 N18 Q18 U18";
constexpr const char* kHknuz = "U16 Z16 H17 K17 N17 U17 Z17 H18 K18 N18";
constexpr const char* kGold = "V16 Z16 G17 J17 M17 Q17 V17 Z17 G18 J18 M18 Q18";
constexpr const char* kPlatinum = "V16 F17 J17 N17 V17 F18";
constexpr const char* kSoybeans = "U16 X16 F17 H17 K17 N17 Q17 U17 X17 F18 H18 K18 N18";
constexpr const char* kHongKong = "U16 V16 X16 Z16 F17 G17 H17 M17";
constexpr const char* kChinaA50 = "U16 V16 X16 Z16 F17 G17 H17 M17 U17 Z17";

// Every contract is listed by this date at the latest (a year before its
// month when that is earlier), so that the master files list nothing that
// the market of the samples' era could not yet trade.
constexpr int32_t kListedBy = 20160815;

constexpr FutureFamily kFamilies[] = {
    {"ES", "미니 S&P500", "E-mini S&P 500", "CME", "USD", 2, 25, 0, 50, 217500, 0.009, 8, 3, 0.05,
     kQuarterly, Expiry::kThirdFriday, 0},
    {"NQ", "미니 나스닥100", "E-mini NASDAQ-100", "CME", "USD", 2, 25, 0, 20, 480000, 0.011, 5, 2,
     0.05, kQuarterly, Expiry::kThirdFriday, 0},
    {"YM", "미니 다우", "E-mini Dow", "CBOT", "USD", 0, 1, 0, 5, 18450, 0.009, 3, 2, 0.05,
     kQuarterly, Expiry::kThirdFriday, 0},
    {"6E", "유로FX", "Euro FX", "CME", "USD", 5, 5, 0, 125'000, 111800, 0.006, 4, 2, 0.03,
     kQuarterly, Expiry::kThirdWednesdayLess2, 0},
    {"6J", "일본엔", "Japanese Yen", "CME", "USD", 7, 5, 0, 12'500'000, 97000, 0.007, 3, 2, 0.04,
     kQuarterly, Expiry::kThirdWednesdayLess2, 0},
    {"6B", "영국파운드", "British Pound", "CME", "USD", 4, 1, 0, 62'500, 13150, 0.007, 3, 2, 0.04,
     kQuarterly, Expiry::kThirdWednesdayLess2, 0},
    {"6A", "호주달러", "Australian Dollar", "CME", "USD", 4, 1, 0, 100'000, 7520, 0.007, 3, 2, 0.04,
     kQuarterly, Expiry::kThirdWednesdayLess2, 0},
    {"6C", "캐나다달러", "Canadian Dollar", "CME", "USD", 5, 5, 0, 100'000, 76500, 0.006, 3, 2,
     0.03, kQuarterly, Expiry::kThirdWednesdayLess2, 0},
    {"ZB", "미국채30년", "U.S. Treasury Bond", "CBOT", "USD", 5, 3125, 32, 1000, 16750000, 0.006, 3,
     3, 0.03, kQuarterly, Expiry::kDayOfMonth, 20},
    {"ZN", "미국채10년", "10-Year T-Note", "CBOT", "USD", 6, 15625, 32, 1000, 132500000, 0.004, 4,
     4, 0.02, kQuarterly, Expiry::kDayOfMonth, 20},
    {"ZC", "옥수수", "Corn", "CBOT", "USD", 2, 25, 8, 50, 33525, 0.012, 3, 3, 0.06, kHknuz,
     Expiry::kDayOfMonth, 14},
    {"ZS", "대두", "Soybeans", "CBOT", "USD", 2, 25, 8, 50, 95850, 0.011, 3, 2, 0.06, kSoybeans,
     Expiry::kDayOfMonth, 14},
    {"ZW", "소맥", "Chicago Wheat", "CBOT", "USD", 2, 25, 8, 50, 40225, 0.014, 2, 2, 0.07, kHknuz,
     Expiry::kDayOfMonth, 14},
    {"CL", "WTI 원유", "Crude Oil WTI", "NYMEX", "USD", 2, 1, 0, 1000, 4470, 0.022, 8, 2, 0.08,
     kEnergy, Expiry::kDayOfPreviousMonth, 20},
    {"NG", "천연가스", "Henry Hub Natural Gas", "NYMEX", "USD", 3, 1, 0, 10'000, 2790, 0.025, 3, 2,
     0.1, kEnergy, Expiry::kDayOfPreviousMonth, 27},
    {"RB", "RBOB 가솔린", "RBOB Gasoline", "NYMEX", "USD", 4, 1, 0, 42'000, 14500, 0.02, 3, 1, 0.08,
     kEnergy, Expiry::kDayOfPreviousMonth, 31},
    {"HO", "난방유", "NY Harbor ULSD", "NYMEX", "USD", 4, 1, 0, 42'000, 14400, 0.018, 3, 1, 0.08,
     kEnergy, Expiry::kDayOfPreviousMonth, 31},
    {"GC", "금", "Gold", "COMEX", "USD", 1, 1, 0, 100, 13105, 0.009, 5, 2, 0.05, kGold,
     Expiry::kDayOfMonth, 27},
    {"SI", "은", "Silver", "COMEX", "USD", 3, 5, 0, 5000, 19050, 0.016, 3, 1, 0.07, kHknuz,
     Expiry::kDayOfMonth, 27},
    {"HG", "구리", "Copper", "COMEX", "USD", 4, 5, 0, 25'000, 20800, 0.013, 2, 1, 0.06, kHknuz,
     Expiry::kDayOfMonth, 27},
    {"PL", "백금", "Platinum", "NYMEX", "USD", 1, 1, 0, 50, 10800, 0.014, 2, 1, 0.07, kPlatinum,
     Expiry::kDayOfMonth, 27},
    {"FDAX", "DAX 지수", "DAX Futures", "EUREX", "EUR", 1, 5, 0, 25, 106000, 0.011, 4, 1, 0.08,
     kQuarterly, Expiry::kEurexThirdFriday, 0},
    {"FESX", "유로스톡스50", "EURO STOXX 50", "EUREX", "EUR", 0, 1, 0, 10, 3010, 0.012, 5, 4, 0.07,
     kQuarterly, Expiry::kEurexThirdFriday, 0},
    {"FGBL", "유로분트", "Euro-Bund", "EUREX", "EUR", 2, 1, 0, 1000, 16600, 0.004, 6, 3, 0.03,
     kQuarterly, Expiry::kDayOfMonth, 8},
    {"HSI", "항셍지수", "Hang Seng Index", "HKEX", "HKD", 0, 1, 0, 50, 23000, 0.011, 4, 2, 0.08,
     kHongKong, Expiry::kDayOfMonth, 29},
    {"HHI", "H주지수", "HSCEI", "HKEX", "HKD", 0, 1, 0, 50, 9600, 0.013, 3, 2, 0.09, kHongKong,
     Expiry::kDayOfMonth, 29},
    {"CN", "FTSE 중국A50", "FTSE China A50", "SGX", "USD", 1, 25, 0, 1, 100000, 0.013, 4, 3, 0.08,
     kChinaA50, Expiry::kDayOfMonth, 29},
    {"NK", "SGX 니케이225", "SGX Nikkei 225", "SGX", "JPY", 0, 5, 0, 500, 16900, 0.013, 3, 2, 0.07,
     kQuarterly, Expiry::kSecondThursday, 0},
};

struct OptionFamily {
  const char* root;
  const char* months;   // of the underlying futures
  int64_t firstStrike;  // raw, in the future's decimals
  int64_t strikeStep;
  int strikeDivisor;  // raw strike / divisor = the strike digits of the code
  int64_t tick;       // raw
  double impliedVol;
  double tradeRate;
};

constexpr OptionFamily kOptionFamilies[] = {
    {"ES", "U16 Z16", 205000, 2500, 100, 25, 0.14, 0.6},
    {"NQ", "U16 Z16", 455000, 5000, 100, 25, 0.16, 0.3},
    {"CL", "V16 X16 Z16", 4000, 100, 100, 1, 0.35, 0.6},
    {"GC", "V16 Z16", 12600, 100, 10, 1, 0.16, 0.4},
    {"6E", "U16 Z16", 109500, 500, 100, 5, 0.09, 0.3},
};

constexpr std::string_view kMonthLetters = "FGHJKMNQUVXZ";
constexpr const char* kEnglishMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

int32_t ExpiryOf(const FutureFamily& f, int year, int month) {
  switch (f.expiry) {
    case Expiry::kThirdFriday:
    case Expiry::kEurexThirdFriday:
      return NthWeekday(year, month, 5, 3);
    case Expiry::kThirdWednesdayLess2:
      return ToYmd(FromYmd(NthWeekday(year, month, 3, 3)).addDays(-2));
    case Expiry::kDayOfMonth:
      return WeekdayOnOrBefore(year, month, f.expiryDay);
    case Expiry::kDayOfPreviousMonth:
      return month == 1 ? WeekdayOnOrBefore(year - 1, 12, f.expiryDay)
                        : WeekdayOnOrBefore(year, month - 1, f.expiryDay);
    case Expiry::kSecondThursday:
      return NthWeekday(year, month, 4, 2);
  }
  return 0;
}

std::string Yyyymm(int year, int month) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d", year % 10000, month % 100);
  return text;
}

// The strike as the option's name shows it, in the future's decimals.
std::string StrikeText(int64_t raw, int decimals) {
  std::string digits = std::to_string(raw);
  if (decimals == 0) return digits;
  digits.insert(0, static_cast<size_t>(std::max(0, decimals + 1 - static_cast<int>(digits.size()))),
                '0');
  digits.insert(digits.size() - static_cast<size_t>(decimals), ".");
  while (digits.back() == '0') digits.pop_back();
  if (digits.back() == '.') digits.pop_back();
  return digits;
}

}  // namespace

void AddOverseasProducts(std::vector<Product>& out) {
  const size_t firstFuture = out.size();
  for (const FutureFamily& f : kFamilies) {
    int64_t reference = f.reference;
    std::string_view months = f.months;
    for (size_t at = 0; at + 3 <= months.size(); at += 4) {
      const char letter = months[at];
      const int month = static_cast<int>(kMonthLetters.find(letter)) + 1;
      const int year = 2000 + (months[at + 1] - '0') * 10 + (months[at + 2] - '0');
      const std::string yy(months.substr(at + 1, 2));
      Product p;
      p.code = std::string(f.root) + letter + yy;
      p.name = std::string(f.name) + " " + Yyyymm(year, month);
      p.shortName = p.name.size() <= 20 ? p.name : p.code;
      p.englishName = std::string(f.english) + " " + kEnglishMonths[month - 1] + yy;
      p.market = Market::kOverseas;
      p.kind = ProductKind::kFuture;
      p.exchange = f.exchange;
      p.currency = f.currency;
      p.root = f.root;
      p.rootName = f.name;
      p.decimals = f.decimals;
      p.tick = f.tick;
      p.fraction = f.fraction;
      p.multiplier = f.multiplier;
      p.marginRate = f.marginRate;
      p.expiry = ExpiryOf(f, year, month);
      p.listed = std::min(WeekdayOnOrBefore(year - 1, month, 15), kListedBy);
      // Later months trade a little higher (carry) and much less.
      p.reference = reference;
      reference += (reference / 800 / f.tick) * f.tick;
      p.dailyVol = f.dailyVol;
      p.tradeRate =
          out.size() == firstFuture || p.root != out.back().root ? f.tradeRate : f.tradeRate / 4;
      p.meanQty = f.meanQty;
      out.push_back(std::move(p));
    }
  }
  const size_t futures = out.size();
  for (const OptionFamily& o : kOptionFamilies) {
    std::string_view months = o.months;
    for (size_t at = 0; at + 3 <= months.size(); at += 4) {
      const std::string underlying = std::string(o.root) + std::string(months.substr(at, 3));
      const Product* future = nullptr;
      for (size_t i = firstFuture; i < futures; ++i) {
        if (out[i].code == underlying) future = &out[i];
      }
      if (!future) continue;
      const Product base = *future;  // `out` grows below
      for (bool call : {true, false}) {
        for (int k = 0; k < 11; ++k) {
          const int64_t strike = o.firstStrike + k * o.strikeStep;
          const std::string cp = call ? "C" : "P";
          const std::string strikeText = StrikeText(strike, base.decimals);
          Product p = base;
          p.code = "O" + base.code + cp + std::to_string(strike / o.strikeDivisor);
          p.name = base.rootName + " " + cp + " " + base.name.substr(base.rootName.size() + 1) +
                   " " + strikeText;
          p.shortName = p.code;
          p.englishName = base.englishName + (call ? " Call " : " Put ") + strikeText;
          p.kind = call ? ProductKind::kCall : ProductKind::kPut;
          p.tick = o.tick;
          p.fraction = 0;
          p.strike = strike;
          p.underlying = base.code;
          p.root = "O" + base.root;
          p.rootName = base.rootName + " 옵션";
          const double moneyness = static_cast<double>(strike - base.reference) / base.reference;
          p.impliedVol = o.impliedVol + 2.0 * moneyness * moneyness;
          p.tradeRate = o.tradeRate;
          p.meanQty = 3;
          out.push_back(std::move(p));
        }
      }
    }
  }
}

}  // namespace zqk::sandbox::market
