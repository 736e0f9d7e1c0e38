#include "sandbox/services/FieldList.h"

#include <set>
#include <string>

#include "sandbox/services/ServiceTable.h"

namespace zqk::sandbox {

std::vector<bool> SelectedFields(std::string_view list, size_t count) {
  if (list.empty()) return std::vector<bool>(count, true);
  if (list.size() % 3 != 0) {
    throw Refused(kMsgBadFieldList, "length " + std::to_string(list.size()));
  }
  std::vector<bool> selected(count, false);
  for (size_t at = 0; at < list.size(); at += 3) {
    const std::string_view number = list.substr(at, 3);
    size_t n = 0;
    for (char c : number) {
      if (c < '0' || c > '9') throw Refused(kMsgBadFieldList, std::string(number));
      n = n * 10 + static_cast<size_t>(c - '0');
    }
    if (n >= count) throw Refused(kMsgBadFieldList, std::string(number));
    selected[n] = true;
  }
  return selected;
}

void KeepSelected(EventData::Row& row, std::span<const protocol::Field> fields,
                  const std::vector<bool>& selected) {
  std::set<std::string_view> keep;
  for (size_t i = 0; i < fields.size() && i < selected.size(); ++i) {
    if (selected[i]) keep.insert(fields[i].name);
  }
  row.EraseIf([&](const auto& field) { return !keep.contains(field.first); });
}

}  // namespace zqk::sandbox
