#pragma once
// One row of a record: field name -> value. The fields stay where they were
// added, in one array, and a small array of their positions sorted by name
// finds them: a tick's record of twenty fields costs two allocations instead
// of twenty tree nodes, adding a field moves two-byte positions rather than
// strings, and a read is a binary search.

#include <algorithm>
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
    std::erase_if(fields_, pred);
    Reindex();
  }

 private:
  // The first position in byName_ whose field's name is not before `name`.
  std::vector<uint16_t>::const_iterator LowerBound(std::string_view name) const;
  void Reindex();

  std::vector<Field> fields_;
  std::vector<uint16_t> byName_;  // positions in fields_, by name
};

}  // namespace zqk::sandbox
