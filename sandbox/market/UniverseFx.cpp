// The FX margin pairs: one lot is 100,000 of the base currency; prices have
// five decimals (three for yen pairs) and trade around the clock.
#include "sandbox/market/ProductUniverse.h"

namespace zqk::sandbox::market {
namespace {

struct Pair {
  const char* code;
  const char* name;
  int decimals;
  int64_t reference;
  int spreadTicks;
  double dailyVol;
  double tradeRate;
};

constexpr Pair kPairs[] = {
    {"EUR/USD", "유로/미국달러", 5, 111780, 20, 0.006, 6},
    {"USD/JPY", "미국달러/일본엔", 3, 101850, 20, 0.007, 5},
    {"GBP/USD", "영국파운드/미국달러", 5, 131240, 30, 0.007, 4},
    {"AUD/USD", "호주달러/미국달러", 5, 75150, 25, 0.007, 3},
    {"USD/CHF", "미국달러/스위스프랑", 5, 98310, 30, 0.006, 2},
    {"USD/CAD", "미국달러/캐나다달러", 5, 131120, 30, 0.006, 2},
    {"NZD/USD", "뉴질랜드달러/미국달러", 5, 72680, 30, 0.008, 2},
    {"EUR/JPY", "유로/일본엔", 3, 113850, 30, 0.008, 2},
    {"EUR/GBP", "유로/영국파운드", 5, 85170, 30, 0.006, 2},
    {"GBP/JPY", "영국파운드/일본엔", 3, 133650, 40, 0.009, 2},
};

}  // namespace

void AddFxPairs(std::vector<Product>& out) {
  for (const Pair& pair : kPairs) {
    Product p;
    p.code = pair.code;
    p.name = pair.name;
    p.shortName = pair.code;
    p.englishName = pair.code;
    p.market = Market::kFxMargin;
    p.kind = ProductKind::kFxPair;
    p.exchange = "FX";
    p.currency = p.code.substr(4);
    p.root = pair.code;
    p.rootName = pair.name;
    p.decimals = pair.decimals;
    p.tick = 1;
    p.spreadTicks = pair.spreadTicks;
    p.multiplier = 100'000;
    p.marginRate = 0.1;
    p.reference = pair.reference;
    p.dailyVol = pair.dailyVol;
    p.tradeRate = pair.tradeRate;
    p.meanQty = 2;
    out.push_back(std::move(p));
  }
}

}  // namespace zqk::sandbox::market
