#pragma once
// Filling records and raw blocks by the broker's layouts (protocol/): a row
// takes only the fields its layout lists, padded where the layout pads them,
// and a block row puts each value at its field's offset. A field that the
// layout lacks is a fault of the sandbox, never sent: std::logic_error.

#include <span>
#include <string>
#include <string_view>

#include "protocol/Layout.h"
#include "sandbox/events/EventData.h"

namespace zqk::sandbox {

class LayoutRow {
 public:
  LayoutRow(FieldRow& row, std::span<const protocol::Field> fields) : row_(row), fields_(fields) {}

  // The value of the field `name`: as it comes, or aligned and filled to
  // its width where the layout pads it.
  LayoutRow& Set(std::string_view name, std::string value);
  LayoutRow& Set(std::string_view name, std::string_view value) {
    return Set(name, std::string(value));
  }
  LayoutRow& Set(std::string_view name, const char* value) { return Set(name, std::string(value)); }
  const FieldRow& row() const { return row_; }

 private:
  FieldRow& row_;
  std::span<const protocol::Field> fields_;
};

// Appends a row to the record of `layout` in `data`.
LayoutRow AddRow(EventData& data, const protocol::RecordLayout& layout);

// One row (or header) of a raw block: every field left-aligned and
// blank-filled to its width, cut before a character that does not fit.
class LayoutBlockRow {
 public:
  explicit LayoutBlockRow(std::span<const protocol::Field> fields);

  LayoutBlockRow& Set(std::string_view name, std::string_view value);
  // Every field of the layout that `values` holds under the same name.
  LayoutBlockRow& SetFrom(const FieldRow& values);
  const std::string& text() const { return text_; }

 private:
  std::span<const protocol::Field> fields_;
  std::string text_;
};

}  // namespace zqk::sandbox
