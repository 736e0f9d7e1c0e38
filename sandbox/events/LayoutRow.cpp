#include "sandbox/events/LayoutRow.h"

#include <algorithm>
#include <stdexcept>

#include "text/Cp949Bytes.h"

namespace zqk::sandbox {
namespace {

[[noreturn]] void NotInLayout(std::string_view name) {
  throw std::logic_error(std::string("field not in the layout: ").append(name));
}

bool SameAddress(std::string_view a, std::string_view b) {
  return a.data() == b.data() && a.size() == b.size();
}

// The field of `fields` named `name`, looked for from `from` on (and round
// to it): a record is mostly filled in its layout's order. The layouts and
// the sandbox name fields by the same constants, so the texts are mostly the
// very same bytes: one pass compares their addresses, a second (for a name
// spelt elsewhere) their texts. Feeds fill records thousands of times a
// second.
const protocol::Field* Find(std::span<const protocol::Field> fields, std::string_view name,
                            size_t from = 0) {
  // Two plain runs rather than one wrapping index: a division per field
  // would cost more than the comparisons it saves.
  const protocol::Field* const begin = fields.data();
  const protocol::Field* const end = begin + fields.size();
  const protocol::Field* const start = begin + std::min(from, fields.size());
  for (const protocol::Field* f = start; f != end; ++f) {
    if (SameAddress(f->name, name)) return f;
  }
  for (const protocol::Field* f = begin; f != start; ++f) {
    if (SameAddress(f->name, name)) return f;
  }
  for (const protocol::Field& f : fields) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

}  // namespace

LayoutRow& LayoutRow::Set(std::string_view name, std::string value) {
  const protocol::Field* f = Find(fields_, name, next_);
  if (!f) NotInLayout(name);
  const size_t at = static_cast<size_t>(f - fields_.data());
  next_ = at + 1;
  std::string& slot = Slot(at);
  if (f->align == protocol::Align::kAsIs) {
    slot = std::move(value);
  } else {
    slot = protocol::FitToWidth(value, f->width, f->align);
  }
  return *this;
}

std::string& LayoutRow::Slot(size_t at) {
  // While the row holds exactly the fields added here, a field not added
  // yet is not in it: appended without a search of the row. A row that
  // held fields before, or that was changed beside this one, is searched.
  const uint64_t bit = at < 64 ? uint64_t{1} << at : 0;
  if (bit && !(added_ & bit) && row_.size() == addedCount_) {
    added_ |= bit;
    ++addedCount_;
    return row_.Append(fields_[at].name);
  }
  return row_[fields_[at].name];
}

LayoutRow AddRow(EventData& data, const protocol::RecordLayout& layout) {
  return LayoutRow(data.AddRow(layout.name), layout.fields);
}

LayoutBlockRow::LayoutBlockRow(std::span<const protocol::Field> fields)
    : fields_(fields), text_(protocol::Width(fields), ' ') {}

void LayoutBlockRow::Put(size_t offset, size_t width, std::string_view value) {
  const std::string_view fitted = Cp949Prefix(value, width);
  const auto at =
      std::copy(fitted.begin(), fitted.end(), text_.begin() + static_cast<std::ptrdiff_t>(offset));
  std::fill_n(at, width - fitted.size(), ' ');
}

LayoutBlockRow& LayoutBlockRow::Set(std::string_view name, std::string_view value) {
  const protocol::Field* f = Find(fields_, name);
  if (!f) NotInLayout(name);
  size_t offset = 0;
  for (const protocol::Field* g = fields_.data(); g != f; ++g) offset += g->width;
  Put(offset, f->width, value);
  return *this;
}

LayoutBlockRow& LayoutBlockRow::SetFrom(const FieldRow& values) {
  size_t offset = 0;
  for (const protocol::Field& f : fields_) {
    if (const auto it = values.find(f.name); it != values.end()) Put(offset, f.width, it->second);
    offset += f.width;
  }
  return *this;
}

}  // namespace zqk::sandbox
