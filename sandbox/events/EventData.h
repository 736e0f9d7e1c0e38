#pragma once
// The data one event carries, as the reading operations see it: records by
// name ("OutRec1"), each a list of rows of field name -> value, the raw block
// that GetDataBlock cuts from, what GetLastData returns (the block when not
// set) and, for a reply, its continuation key. All texts CP949.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sandbox/events/FieldRow.h"

namespace zqk::sandbox {

struct EventData {
  using Row = FieldRow;

  std::map<std::string, std::vector<Row>, std::less<>> records;
  std::string block;
  std::optional<std::string> lastData;
  std::string nextKey;

  // Appends an empty row to `record` and returns it.
  Row& AddRow(std::string_view record) {
    auto it = records.find(record);
    if (it == records.end()) it = records.emplace(std::string(record), std::vector<Row>()).first;
    return it->second.emplace_back();
  }
};

}  // namespace zqk::sandbox
