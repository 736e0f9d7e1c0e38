#include "sandbox/events/FieldRow.h"

#include <functional>

namespace zqk::sandbox {
namespace {

// Most records have fewer fields: their row is allocated once.
constexpr size_t kUsualFields = 24;

}  // namespace

uint64_t FieldRow::NameHash(std::string_view name) {
  return std::hash<std::string_view>()(name);
}

size_t FieldRow::Position(std::string_view name, uint64_t hash) const {
  for (size_t i = 0; i < hashes_.size(); ++i) {
    if (hashes_[i] == hash && fields_[i].first == name) return i;
  }
  return fields_.size();
}

std::string& FieldRow::operator[](std::string_view name) {
  const uint64_t hash = NameHash(name);
  if (const size_t at = Position(name, hash); at < fields_.size()) return fields_[at].second;
  return Append(name, hash);
}

std::string& FieldRow::Append(std::string_view name, uint64_t hash) {
  if (fields_.empty()) {
    fields_.reserve(kUsualFields);
    hashes_.reserve(kUsualFields);
  }
  hashes_.push_back(hash);
  return fields_.emplace_back(std::string(name), std::string()).second;
}

FieldRow::const_iterator FieldRow::find(std::string_view name) const {
  return fields_.begin() + static_cast<std::ptrdiff_t>(Position(name, NameHash(name)));
}

}  // namespace zqk::sandbox
