#include "sandbox/market/ProductUniverse.h"

#include <cmath>
#include <stdexcept>

#include "sandbox/market/SeededHash.h"
#include "text/Blanks.h"

namespace zqk::sandbox::market {

double Product::RawValue() const {
  return multiplier / std::pow(10.0, decimals);
}

bool TradesOn(const Product& p, int32_t ymd) {
  return (p.listed == 0 || p.listed <= ymd) && (p.expiry == 0 || ymd <= p.expiry);
}

ProductUniverse::ProductUniverse(int32_t termsDate) {
  AddDomesticProducts(products_, termsDate);
  AddOverseasProducts(products_);
  AddFxPairs(products_);
  byCode_.reserve(products_.size());
  for (size_t i = 0; i < products_.size(); ++i) {
    Product& p = products_[i];
    p.id = TextHash(p.code);
    if (!byCode_.emplace(p.code, i).second) throw std::logic_error("product listed twice");
    firstOfRoot_.emplace(p.root, i);
  }
}

const Product* ProductUniverse::Find(std::string_view code) const {
  auto it = byCode_.find(TrimTrailingBlanks(code));
  return it == byCode_.end() ? nullptr : &products_[it->second];
}

std::vector<const Product*> ProductUniverse::Matching(std::string_view codePrefix,
                                                      Market market) const {
  std::vector<const Product*> out;
  for (const Product& p : products_) {
    if (p.market == market && p.code.starts_with(codePrefix)) out.push_back(&p);
  }
  return out;
}

const Product* ProductUniverse::FirstOfRoot(std::string_view root) const {
  auto it = firstOfRoot_.find(root);
  return it == firstOfRoot_.end() ? nullptr : &products_[it->second];
}

std::vector<const Product*> ProductUniverse::OfRoot(std::string_view root) const {
  std::vector<const Product*> out;
  for (const Product& p : products_) {
    if (p.root == root) out.push_back(&p);
  }
  return out;
}

}  // namespace zqk::sandbox::market
