#include "sandbox/events/LayoutRow.h"

#include <algorithm>
#include <stdexcept>

#include "text/Cp949Bytes.h"

namespace zqk::sandbox {
namespace {

[[noreturn]] void NotInLayout(std::string_view name) {
  throw std::logic_error(std::string("field not in the layout: ").append(name));
}

}  // namespace

LayoutRow& LayoutRow::Set(std::string_view name, std::string value) {
  for (const protocol::Field& f : fields_) {
    // The layouts and the services name fields by the same constants, so
    // the texts are mostly the very same bytes: pointers first.
    if ((f.name.data() != name.data() || f.name.size() != name.size()) && f.name != name) continue;
    row_[f.name] = f.align == protocol::Align::kAsIs
                       ? std::move(value)
                       : protocol::FitToWidth(value, f.width, f.align);
    return *this;
  }
  NotInLayout(name);
}

LayoutRow AddRow(EventData& data, const protocol::RecordLayout& layout) {
  return LayoutRow(data.AddRow(layout.name), layout.fields);
}

LayoutBlockRow::LayoutBlockRow(std::span<const protocol::Field> fields)
    : fields_(fields), text_(protocol::Width(fields), ' ') {}

LayoutBlockRow& LayoutBlockRow::Set(std::string_view name, std::string_view value) {
  size_t offset = 0;
  for (const protocol::Field& f : fields_) {
    if (f.name == name) {
      const std::string_view fitted = Cp949Prefix(value, f.width);
      std::fill_n(text_.begin() + static_cast<std::ptrdiff_t>(offset), f.width, ' ');
      text_.replace(offset, fitted.size(), fitted);
      return *this;
    }
    offset += f.width;
  }
  NotInLayout(name);
}

LayoutBlockRow& LayoutBlockRow::SetFrom(const FieldRow& values) {
  for (const protocol::Field& f : fields_) {
    if (const auto it = values.find(f.name); it != values.end()) Set(f.name, it->second);
  }
  return *this;
}

}  // namespace zqk::sandbox
