#pragma once
// Every product the sandbox lists: domestic index futures and options with
// their index, overseas futures and options on several exchanges, and FX
// margin pairs. The universe is fixed: it does not depend on the seed or the
// clock, so master files, product lists and codes are the same in every run.
//
// Code schemes (the sandbox's own; docs/sandbox.md has the full tables):
// - domestic, 8 bytes: kind digit (1 futures, 2 call, 3 put), "01" for the
//   KOSPI200 family or "05" for the mini futures, a year letter (F 2016,
//   G 2017, H 2018, J 2019, K 2020, L 2021, M 2022), a month character
//   (1-9, A, B, C), then "000" for futures or the strike's whole points for
//   options ("201JB245": call, November 2019, strike 245.0; "247" is 247.5);
// - domestic indices: "KOSPI200", "KOSPI";
// - overseas futures: root, month letter (F G H J K M N Q U V X Z = January
//   to December) and a two-digit year ("ESU16", "6EZ16", "FDAXH17");
// - overseas options: "O", the underlying future's code, "C" or "P", and
//   the strike in the family's strike units ("OESU16C2175", "O6EU16C1120"
//   for 1.120);
// - FX pairs: base "/" quote ("EUR/USD").

#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sandbox/market/Product.h"

namespace zqk::sandbox::market {

// The day the agent's clock starts on by default.
inline constexpr int32_t kSamplesEraDate = 20160901;

class ProductUniverse {
 public:
  // The contracts' terms (the KOSPI200 family's multipliers) are those in
  // force on `termsDate` (YYYYMMDD).
  explicit ProductUniverse(int32_t termsDate = kSamplesEraDate);
  // The code index points into the products: no copies.
  ProductUniverse(const ProductUniverse&) = delete;
  ProductUniverse& operator=(const ProductUniverse&) = delete;

  // Trailing blanks of `code` are ignored: inputs carry codes padded.
  const Product* Find(std::string_view code) const;
  std::span<const Product> All() const { return products_; }
  // In universe order.
  std::vector<const Product*> Matching(std::string_view codePrefix, Market market) const;
  std::vector<const Product*> OfRoot(std::string_view root) const;
  // The family's first product in universe order (its front month), or null.
  const Product* FirstOfRoot(std::string_view root) const;

 private:
  std::vector<Product> products_;
  std::unordered_map<std::string_view, size_t> byCode_;
  std::unordered_map<std::string_view, size_t> firstOfRoot_;
};

// The builders of the three markets, in UniverseDomestic.cpp,
// UniverseOverseas.cpp and UniverseFx.cpp.
void AddDomesticProducts(std::vector<Product>& out, int32_t termsDate);
void AddOverseasProducts(std::vector<Product>& out);
void AddFxPairs(std::vector<Product>& out);

// Whether a contract trades on `ymd`: listed by then and not yet past its
// last trading day. Pairs and indices always do. (The market prices every
// product at any time; the product lists show what a trader could trade.)
bool TradesOn(const Product& p, int32_t ymd);

}  // namespace zqk::sandbox::market
