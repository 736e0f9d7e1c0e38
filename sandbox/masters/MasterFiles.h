#pragma once
// The overseas master files: the broker's reference data of every overseas
// future and option, one fixed-width row per product, generated from the
// market's product universe so that they list exactly the codes, names,
// ticks and expiries that quotes, queries and orders use. The universe is
// fixed, so a file's bytes are the same in every run.
//
// A row is its columns (protocol/MasterFileLayouts.h) joined without
// separators, each left-aligned and filled with blanks to its width in bytes
// (CP949), then CR LF. Rows follow the universe's order. docs/sandbox.md lists
// the columns of each file.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/MasterFileLayouts.h"
#include "sandbox/market/ProductUniverse.h"

namespace zqk::sandbox {

// The value of a column for a product.
using ColumnValue = std::string (*)(const market::Product& p);

struct MasterFile {
  std::string_view kind;      // what RequestMasterFile asks for: "futures", "option"
  std::string_view fileName;  // CP949
  const protocol::MasterFileLayout* layout;
  std::span<const ColumnValue> values;  // one per column of the layout, in its order
  bool (*lists)(const market::Product& p);
};

// Every master file, in the order "all" delivers them.
std::span<const MasterFile> AllMasterFiles();
// The files a RequestMasterFile kind delivers: "all", "futures" or "option"
// (compared exactly); none for any other kind.
std::vector<const MasterFile*> MasterFilesOfKind(std::string_view kind);
// Null for a name that is not a master file's.
const MasterFile* FindMasterFile(std::string_view fileName);

// Bytes of one row, CR LF included.
size_t RowWidth(const MasterFile& file);
// One product's row. Throws std::logic_error when a value is wider than its
// column: the universe and the layouts disagree, and a cut value would
// corrupt the file.
std::string MasterRow(const MasterFile& file, const market::Product& p);
// The whole file.
std::string MasterFileContent(const MasterFile& file, const market::ProductUniverse& universe);
size_t MasterRowCount(const MasterFile& file, const market::ProductUniverse& universe);

}  // namespace zqk::sandbox
