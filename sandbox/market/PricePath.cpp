#include "sandbox/market/PricePath.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "sandbox/market/SeededHash.h"

namespace zqk::sandbox::market {

PricePath::PricePath(uint64_t seed, uint64_t productId, double stepVol)
    : key_(Hash(seed, productId)) {
  // A Brownian bridge over an interval of length L has its midpoint spread
  // by stepVol * sqrt(L) / 2 around the mean of its ends.
  for (int k = 0; k <= kLevels; ++k) {
    halfSpread_[static_cast<size_t>(k)] = stepVol * std::sqrt(std::ldexp(1.0, k)) / 2;
  }
  const double span = stepVol * std::sqrt(std::ldexp(1.0, kLevels));
  topLo_ = 0;
  topHi_ = span * Normal(Mix(key_ ^ 0x5EEDull));
  origin_ = 0;
  origin_ = Raw(0);
}

double PricePath::Midpoint(int64_t lo, int64_t hi, double xlo, double xhi, int64_t mid) const {
  const int log2 = std::bit_width(static_cast<uint64_t>(hi - lo)) - 1;
  return (xlo + xhi) / 2 +
         halfSpread_[static_cast<size_t>(log2)] *
             Normal(Mix(key_ + static_cast<uint64_t>(mid) * 0x9E3779B97F4A7C15ull));
}

double PricePath::Raw(int64_t step) const {
  step = std::clamp(step, kFirstStep, kLastStep);
  int64_t lo = kFirstStep;
  int64_t hi = kLastStep + 1;
  double xlo = topLo_;
  double xhi = topHi_;
  while (hi - lo > 1) {
    const int64_t mid = lo + (hi - lo) / 2;
    const double xm = Midpoint(lo, hi, xlo, xhi, mid);
    if (step < mid) {
      hi = mid;
      xhi = xm;
    } else {
      lo = mid;
      xlo = xm;
    }
  }
  return xlo;
}

double PricePath::At(int64_t step) const {
  return Raw(step) - origin_;
}

PricePath::Cursor::Cursor(const PricePath& path) : path_(&path) {
  stack_[0] = Node{kFirstStep, kLastStep + 1, path.topLo_, path.topHi_};
}

double PricePath::Cursor::At(int64_t step) {
  step = std::clamp(step, kFirstStep, kLastStep);
  while (depth_ > 1) {
    const Node& n = stack_[static_cast<size_t>(depth_ - 1)];
    if (n.lo <= step && step < n.hi) break;
    --depth_;
  }
  Node n = stack_[static_cast<size_t>(depth_ - 1)];
  while (n.hi - n.lo > 1) {
    const int64_t mid = n.lo + (n.hi - n.lo) / 2;
    const double xm = path_->Midpoint(n.lo, n.hi, n.xlo, n.xhi, mid);
    n = step < mid ? Node{n.lo, mid, n.xlo, xm} : Node{mid, n.hi, xm, n.xhi};
    stack_[static_cast<size_t>(depth_++)] = n;
  }
  return n.xlo - path_->origin_;
}

}  // namespace zqk::sandbox::market
