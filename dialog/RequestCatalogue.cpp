#include "dialog/RequestCatalogue.h"

#include <variant>

#include "dialog/LogPattern.h"
#include "protocol/QueryInputs.h"
#include "protocol/Replies.h"
#include "replies/RealTimeTable.h"
#include "text/Blanks.h"

namespace zqk {
namespace {

CatalogueKind KindOf(protocol::Operation operation) {
  switch (operation) {
    case protocol::Operation::kTrQuery:
      return CatalogueKind::kTrQuery;
    case protocol::Operation::kFidQuery:
      return CatalogueKind::kFidQuery;
    case protocol::Operation::kOrder:
      return CatalogueKind::kOrder;
    case protocol::Operation::kMasterFile:
      return CatalogueKind::kMasterFile;
  }
  return CatalogueKind::kTrQuery;
}

std::string SearchText(std::string_view code, std::string_view ko, std::string_view en) {
  // A line break between them: no filter spans two of them.
  std::string text(code);
  text.append("\n").append(ko).append("\n").append(en);
  return text;
}

std::vector<CatalogueEntry> BuildEntries() {
  std::vector<CatalogueEntry> entries;
  for (const protocol::CodeInfo& c : protocol::AllCodes()) {
    CatalogueEntry e{std::string(c.code),
                     KindOf(c.operation),
                     c.market,
                     c.nameKo,
                     c.nameEn,
                     c.decoded,
                     c.note,
                     &c};
    e.searchText = SearchText(c.code, c.nameKo, c.nameEn);
    entries.push_back(std::move(e));
  }
  for (const protocol::RealTypeLayout& r : protocol::AllRealTypes()) {
    // A type the console accepts silently is not decoded.
    const RealTypeRow* row = FindRealTypeRow(r.realType);
    const bool decoded = row && row->action != RealAction::kSilent;
    CatalogueEntry e{std::to_string(r.realType),
                     CatalogueKind::kRealType,
                     r.market,
                     r.nameKo,
                     r.nameEn,
                     decoded,
                     {},
                     nullptr,
                     &r};
    e.searchText = SearchText(e.code, r.nameKo, r.nameEn);
    entries.push_back(std::move(e));
  }
  return entries;
}

std::string_view RowsText(const protocol::RecordLayout& record) {
  switch (record.rows) {
    case protocol::RowCount::kOne:
      return "one row";
    case protocol::RowCount::kRepeatCount:
      return "rows: GetRepeatCount";
    case protocol::RowCount::kCountField:
      return "rows: ";
  }
  return {};
}

std::string BlockRowsText(const protocol::BlockLayout& block) {
  switch (block.rows) {
    case protocol::BlockRows::kNone:
      return "no rows";
    case protocol::BlockRows::kPerRecordRow:
      return "a row per row of " + std::string(block.rowsOf);
    case protocol::BlockRows::kFixed:
      return std::to_string(block.fixedRows) + " rows";
    case protocol::BlockRows::kHeaderCount:
      return "rows: header " + std::string(block.countField);
  }
  return {};
}

void AddFields(std::vector<CatalogueReplyLine>& lines, std::string part,
               std::span<const protocol::Field> fields) {
  lines.push_back({part, {}, protocol::Width(fields), protocol::FieldKind::kText});
  for (const protocol::Field& f : fields) lines.push_back({part, f.name, f.width, f.kind});
}

void AddBlock(std::vector<CatalogueReplyLine>& lines, const protocol::BlockLayout& block) {
  const std::string rows = BlockRowsText(block);
  AddFields(lines, "block header (" + rows + ")", block.header);
  if (!block.row.empty()) AddFields(lines, "block row", block.row);
  if (!block.contentSizeField.empty()) {
    lines.push_back({"block content: " + std::string(block.contentSizeField) + " bytes",
                     {},
                     0,
                     protocol::FieldKind::kText});
  }
}

}  // namespace

std::span<const CatalogueEntry> CatalogueEntries() {
  static const std::vector<CatalogueEntry> entries = BuildEntries();
  return entries;
}

const CatalogueEntry* FindCatalogueEntry(std::string_view code) {
  for (const CatalogueEntry& e : CatalogueEntries()) {
    if (e.code == code) return &e;
  }
  return nullptr;
}

std::vector<size_t> FilterCatalogue(std::string_view filter) {
  const std::span<const CatalogueEntry> entries = CatalogueEntries();
  std::vector<size_t> kept;
  kept.reserve(entries.size());
  filter = TrimBlanks(filter);
  if (filter.empty()) {
    for (size_t i = 0; i < entries.size(); ++i) kept.push_back(i);
    return kept;
  }
  const auto compiled = LogPattern::Compile(filter, false);
  const LogPattern* pattern = std::get_if<LogPattern>(&compiled);
  if (!pattern) return kept;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (pattern->Matches(entries[i].searchText)) kept.push_back(i);
  }
  return kept;
}

std::string_view CatalogueKindName(CatalogueKind kind, bool korean) {
  switch (kind) {
    case CatalogueKind::kTrQuery:
      return korean ? "TR 조회" : "TR query";
    case CatalogueKind::kFidQuery:
      return korean ? "FID 조회" : "FID query";
    case CatalogueKind::kOrder:
      return korean ? "주문" : "Order";
    case CatalogueKind::kMasterFile:
      return korean ? "마스터파일" : "Master file";
    case CatalogueKind::kRealType:
      return korean ? "리얼 구분" : "Real type";
  }
  return {};
}

std::string_view CatalogueKindWord(CatalogueKind kind) {
  switch (kind) {
    case CatalogueKind::kTrQuery:
      return "tr-query";
    case CatalogueKind::kFidQuery:
      return "fid-query";
    case CatalogueKind::kOrder:
      return "order";
    case CatalogueKind::kMasterFile:
      return "master-file";
    case CatalogueKind::kRealType:
      return "real-type";
  }
  return {};
}

std::vector<CatalogueField> CatalogueLayoutFields(const CatalogueEntry& entry) {
  std::vector<CatalogueField> fields;
  if (entry.kind == CatalogueKind::kTrQuery || entry.kind == CatalogueKind::kFidQuery) {
    const protocol::InputLayout* layout = protocol::InputLayoutOf(entry.code);
    if (!layout) return fields;
    const std::vector<std::string_view> samples = protocol::ParseInput(*layout, layout->sample);
    for (size_t i = 0; i < layout->fields.size(); ++i) {
      const protocol::InputField& f = layout->fields[i];
      fields.push_back({f.name, f.offset, f.width, f.kind, std::string(samples[i]), f.note});
    }
  } else if (entry.kind == CatalogueKind::kOrder) {
    const protocol::OrderLayout* layout = protocol::FindOrderLayout(entry.code);
    if (!layout) return fields;
    size_t offset = 0;
    for (const protocol::OrderRecordField& f : layout->fields) {
      const std::string_view sample = offset < layout->sample.size()
                                          ? TrimBlanks(layout->sample.substr(offset, f.width))
                                          : std::string_view();
      fields.push_back({protocol::OrderFieldName(f.field),
                        offset,
                        f.width,
                        protocol::OrderFieldKind(f.field),
                        std::string(sample),
                        {}});
      offset += f.width;
    }
  }
  return fields;
}

std::vector<CatalogueReplyLine> CatalogueReplyLines(const CatalogueEntry& entry) {
  std::vector<CatalogueReplyLine> lines;
  if (entry.realType) {
    AddFields(lines, std::string(protocol::kOutRec1) + " (one row)", entry.realType->fields);
    if (entry.realType->block) AddBlock(lines, *entry.realType->block);
    return lines;
  }
  const protocol::ReplyLayout* reply = protocol::ReplyLayoutOf(entry.code);
  if (!reply) return lines;
  for (const protocol::RecordLayout& record : reply->records) {
    std::string part(record.name);
    part.append(" (").append(RowsText(record)).append(record.countField).append(")");
    AddFields(lines, std::move(part), record.fields);
  }
  if (reply->block) AddBlock(lines, *reply->block);
  if (reply->paged) lines.push_back({"paged: GetNextKey", {}, 0, protocol::FieldKind::kText});
  return lines;
}

}  // namespace zqk
