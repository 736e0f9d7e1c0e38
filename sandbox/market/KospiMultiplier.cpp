#include "sandbox/market/KospiMultiplier.h"

namespace zqk::sandbox::market {
namespace {

constexpr int32_t kHalvedOn = 20170327;

}  // namespace

double KospiMultiplierOn(std::string_view family, int32_t ymd) {
  const double before = family == "105" ? 100'000 : 500'000;
  return ymd >= kHalvedOn ? before / 2 : before;
}

}  // namespace zqk::sandbox::market
