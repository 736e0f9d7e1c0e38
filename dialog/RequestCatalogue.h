#pragma once
// The request catalogue: every code and real type that the broker's tables
// know, one entry each, with what a reader needs to send it (the input's
// fields and their samples) and to read what comes back (the reply's records
// and fields). Read from protocol/ alone, so that it never disagrees with the
// decoders or the sandbox.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/Codes.h"
#include "protocol/Layout.h"
#include "protocol/OrderLayouts.h"
#include "protocol/RealTypes.h"

namespace zqk {

enum class CatalogueKind : uint8_t { kTrQuery, kFidQuery, kOrder, kMasterFile, kRealType };

struct CatalogueEntry {
  std::string code;  // the TR code, or a real type's number
  CatalogueKind kind;
  std::optional<Market> market;
  std::string_view nameKo;  // CP949
  std::string_view nameEn;
  bool decoded;
  std::string_view note;
  // One of the two, by kind.
  const protocol::CodeInfo* codeInfo = nullptr;
  const protocol::RealTypeLayout* realType = nullptr;
  // What the filter searches: code and both names.
  std::string searchText = {};
};

// Codes first, in the tables' order, then real types in ascending order.
std::span<const CatalogueEntry> CatalogueEntries();
const CatalogueEntry* FindCatalogueEntry(std::string_view code);

// The indices of the entries whose code or name holds `filter` (CP949; ASCII
// letters match in either case, on character boundaries). A blank filter
// keeps every entry; one that is no CP949 text keeps none.
std::vector<size_t> FilterCatalogue(std::string_view filter);

// "TR 조회" / "TR query", ... by kind.
std::string_view CatalogueKindName(CatalogueKind kind, bool korean);
// "tr-query", "fid-query", "order", "master-file", "real-type": one word.
std::string_view CatalogueKindWord(CatalogueKind kind);

// A field of what is sent: a query's input, an order record, a real-time
// record; offsets in bytes from 0.
struct CatalogueField {
  std::string_view name;  // CP949
  size_t offset = 0;
  size_t width = 0;
  protocol::FieldKind kind = protocol::FieldKind::kText;
  std::string sample;     // CP949, without its blanks
  std::string_view note;  // English
};

// The input fields of a query code (with the sample's values), the fields of
// an order code's record (with the market's sample record's values), the
// fields of a real type's record; empty for the rest.
std::vector<CatalogueField> CatalogueLayoutFields(const CatalogueEntry& entry);

// One line of the reply's description: a record or block heading (no
// field), or one of its fields.
struct CatalogueReplyLine {
  std::string part;  // "OutRec1 (GetRepeatCount)", "block header", ...
  std::string_view field;
  size_t width = 0;
  protocol::FieldKind kind = protocol::FieldKind::kText;
};
std::vector<CatalogueReplyLine> CatalogueReplyLines(const CatalogueEntry& entry);

}  // namespace zqk
