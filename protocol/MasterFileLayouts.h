#pragma once
// The overseas master files that the master-file replies deliver: one
// fixed-width row per product, its columns joined without separators, each
// left-aligned and blank-filled to its width in bytes, then CR LF.

#include <span>
#include <string_view>

#include "protocol/Layout.h"

namespace zqk::protocol {

struct MasterFileLayout {
  std::string_view kind;      // what RequestMasterFile asks for: "futures", "option"
  std::string_view fileName;  // CP949
  std::span<const Field> columns;

  // Bytes of a row, CR LF included.
  constexpr size_t RowWidth() const { return Width(columns) + 2; }
};

// The overseas futures' and options' files.
const MasterFileLayout& OverseasFutureFile();
const MasterFileLayout& OverseasOptionFile();

// Every master file, in the order a request for all of them delivers them.
std::span<const MasterFileLayout> MasterFileLayouts();
// Null for a name that is not a master file's.
const MasterFileLayout* FindMasterFileLayout(std::string_view fileName);

}  // namespace zqk::protocol
