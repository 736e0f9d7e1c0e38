#pragma once
// Stateless seeded randomness: every random figure of the market is a hash of
// the seed, the product and the moment it belongs to, so that a figure never
// depends on which figures were asked for before it.

#include <cmath>
#include <cstdint>
#include <string_view>

namespace zqk::sandbox::market {

// The splitmix64 finaliser: a bijection that spreads every input bit.
constexpr uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

constexpr uint64_t Hash(uint64_t a, uint64_t b, uint64_t c = 0, uint64_t d = 0) {
  return Mix(Mix(Mix(Mix(a) ^ b) ^ c) ^ d);
}

// A stable 64-bit identity of a text (FNV-1a), for product codes and accounts.
constexpr uint64_t TextHash(std::string_view s) {
  uint64_t h = 0xCBF29CE484222325ull;
  for (char c : s) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001B3ull;
  }
  return h;
}

// Uniform in [0, 1).
constexpr double Unit(uint64_t h) {
  return static_cast<double>(h >> 11) * 0x1.0p-53;
}

// Roughly standard normal: the sum of four uniforms (Irwin-Hall), centred and
// scaled. Bounded by +-3.46, which keeps every simulated move plausible.
constexpr double Normal(uint64_t h) {
  double sum = 0;
  for (int i = 0; i < 4; ++i) sum += static_cast<double>((h >> (16 * i)) & 0xFFFF) / 65536.0;
  return (sum - 2.0) * 1.7320508075688772;
}

// Uniform integer in [lo, hi].
constexpr int64_t Between(uint64_t h, int64_t lo, int64_t hi) {
  return lo + static_cast<int64_t>(h % static_cast<uint64_t>(hi - lo + 1));
}

}  // namespace zqk::sandbox::market
