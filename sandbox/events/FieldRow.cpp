#include "sandbox/events/FieldRow.h"

#include <numeric>
#include <stdexcept>

namespace zqk::sandbox {
namespace {

// Most records have fewer fields: their row is allocated once.
constexpr size_t kUsualFields = 24;

}  // namespace

std::vector<uint16_t>::const_iterator FieldRow::LowerBound(std::string_view name) const {
  return std::lower_bound(
      byName_.begin(), byName_.end(), name,
      [this](uint16_t at, std::string_view n) { return std::string_view(fields_[at].first) < n; });
}

std::string& FieldRow::operator[](std::string_view name) {
  if (fields_.empty()) {
    fields_.reserve(kUsualFields);
    byName_.reserve(kUsualFields);
  }
  const auto at = LowerBound(name);
  if (at != byName_.end() && fields_[*at].first == name) return fields_[*at].second;
  if (fields_.size() > UINT16_MAX) throw std::length_error("too many fields in a row");
  byName_.insert(at, static_cast<uint16_t>(fields_.size()));
  return fields_.emplace_back(std::string(name), std::string()).second;
}

FieldRow::const_iterator FieldRow::find(std::string_view name) const {
  const auto at = LowerBound(name);
  if (at == byName_.end() || fields_[*at].first != name) return fields_.end();
  return fields_.begin() + *at;
}

void FieldRow::Reindex() {
  byName_.resize(fields_.size());
  std::iota(byName_.begin(), byName_.end(), uint16_t{0});
  std::sort(byName_.begin(), byName_.end(),
            [this](uint16_t a, uint16_t b) { return fields_[a].first < fields_[b].first; });
}

}  // namespace zqk::sandbox
