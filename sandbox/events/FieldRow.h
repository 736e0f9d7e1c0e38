#pragma once
// One row of a record: field name -> value. The fields stay where they were
// added, in one array, beside an array of the hashes of their names: a
// tick's record of twenty fields costs two allocations instead of twenty
// tree nodes, and finding a field is a scan of twenty integers and one
// comparison of names.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zqk::sandbox {

class FieldRow {
 public:
  using Field = std::pair<std::string, std::string>;
  using const_iterator = std::vector<Field>::const_iterator;

  // The value of `name`, added empty when the row has none.
  std::string& operator[](std::string_view name);
  // A new field `name`, empty, without looking for one: only for a name
  // that the row is known not to hold (a second field of the same name
  // would never be found).
  std::string& Append(std::string_view name) { return Append(name, NameHash(name)); }
  // The field of `name`, or end().
  const_iterator find(std::string_view name) const;

  // In the order they were added.
  const_iterator begin() const { return fields_.begin(); }
  const_iterator end() const { return fields_.end(); }
  size_t size() const { return fields_.size(); }
  bool empty() const { return fields_.empty(); }

  // Drops the fields for which `pred(field)` holds.
  template <class Pred>
  void EraseIf(Pred pred) {
    size_t kept = 0;
    for (size_t i = 0; i < fields_.size(); ++i) {
      if (pred(std::as_const(fields_[i]))) continue;
      if (kept != i) {
        fields_[kept] = std::move(fields_[i]);
        hashes_[kept] = hashes_[i];
      }
      ++kept;
    }
    fields_.resize(kept);
    hashes_.resize(kept);
  }

 private:
  static uint64_t NameHash(std::string_view name);
  // The position of `name` (hashed to `hash`), or size().
  size_t Position(std::string_view name, uint64_t hash) const;
  std::string& Append(std::string_view name, uint64_t hash);

  std::vector<Field> fields_;
  std::vector<uint64_t> hashes_;  // of the names, by position
};

}  // namespace zqk::sandbox
