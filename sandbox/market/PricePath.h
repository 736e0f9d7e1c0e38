#pragma once
// The seeded random path behind a product's price: a Brownian motion of the
// log price sampled every 100 ms step, built by midpoint displacement over
// 2^37 steps centred on the agent's start (some 218 years each way). Any
// step's value is a pure function of the seed, the product and the step, so
// history before the start, the present and any later moment agree, and the
// same seed gives the same prices whatever was asked before.

#include <array>
#include <cstdint>

namespace zqk::sandbox::market {

inline constexpr int64_t kStepMs = 100;

class PricePath {
 public:
  static constexpr int kLevels = 37;
  static constexpr int64_t kFirstStep = -(int64_t{1} << (kLevels - 1));
  static constexpr int64_t kLastStep = (int64_t{1} << (kLevels - 1)) - 1;

  // `stepVol`: standard deviation of the log price over one step.
  PricePath(uint64_t seed, uint64_t productId, double stepVol);

  // Log price at `step` relative to step 0 (so 0 at the agent's start).
  // Random access: kLevels hashes.
  double At(int64_t step) const;

  // Sequential access that reuses the path above the previous step: about
  // two hashes a step when the steps go up one by one.
  class Cursor {
   public:
    explicit Cursor(const PricePath& path);
    double At(int64_t step);

   private:
    struct Node {
      int64_t lo, hi;
      double xlo, xhi;
    };
    const PricePath* path_;
    std::array<Node, kLevels + 1> stack_;
    int depth_ = 1;
  };

 private:
  double Midpoint(int64_t lo, int64_t hi, double xlo, double xhi, int64_t mid) const;
  double Raw(int64_t step) const;

  uint64_t key_;
  double topLo_, topHi_;
  double origin_;                               // the path at step 0
  std::array<double, kLevels + 1> halfSpread_;  // by log2 of the interval
};

}  // namespace zqk::sandbox::market
