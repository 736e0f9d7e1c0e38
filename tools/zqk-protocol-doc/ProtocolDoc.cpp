#include "tools/zqk-protocol-doc/ProtocolDoc.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <map>
#include <vector>

#include "protocol/Codes.h"
#include "protocol/OrderLayouts.h"
#include "protocol/QueryInputs.h"
#include "protocol/Replies.h"
#include "text/Cp949.h"

namespace zqk::doc {
namespace {

using protocol::Field;

std::string U(std::string_view cp949) {
  return Cp949ToUtf8(cp949);
}

// The parts one after another (appended: g++ 12 at -O3 takes `literal +
// string` for an overlapping copy, -Wrestrict).
std::string Cat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view p : parts) text.append(p);
  return text;
}

std::string Code(std::string_view code) {
  return Cat({"`", U(code), "`"});
}

bool IsQuery(const protocol::CodeInfo& c) {
  return c.operation == protocol::Operation::kTrQuery ||
         c.operation == protocol::Operation::kFidQuery;
}

// Bytes `from` to `to`, counted from 1.
std::string Bytes(size_t from, size_t to) {
  return from == to ? std::to_string(from) : Cat({std::to_string(from), "-", std::to_string(to)});
}

std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
  std::string text;
  for (const std::string& p : parts) {
    if (!text.empty()) text.append(separator);
    text.append(p);
  }
  return text;
}

// "name width, name width, ...".
std::string Widths(std::span<const Field> fields) {
  std::vector<std::string> parts;
  for (const Field& f : fields) parts.push_back(Cat({U(f.name), " ", std::to_string(f.width)}));
  return Joined(parts, ", ");
}

std::string InputCell(const protocol::InputLayout& layout) {
  std::vector<std::string> parts;
  size_t end = 0;
  auto unread = [&](size_t upTo) {
    if (upTo > end) parts.push_back(Cat({Bytes(end + 1, upTo), " not read"}));
  };
  for (size_t i = 0; i < layout.fields.size(); ++i) {
    const protocol::InputField& f = layout.fields[i];
    unread(f.offset);
    std::string part = Cat({Bytes(size_t{f.offset} + 1, size_t{f.offset} + f.width), " `",
                            U(f.name), "` ", protocol::KindName(f.kind)});
    if (f.number) {
      part.append(Cat({" ", std::to_string(f.number->min), "-", std::to_string(f.number->max),
                       " (blank: ", std::to_string(f.number->fallback), ")"}));
    }
    if (!f.note.empty()) part.append(Cat({", ", U(f.note)}));
    if (layout.rewrite && layout.rewrite->replacedField == i) {
      part += "; the console puts GetAccountText's answer here";
    }
    parts.push_back(std::move(part));
    end = size_t{f.offset} + f.width;
  }
  unread(layout.length);
  return parts.empty() ? "not read" : Joined(parts, "; ");
}

// The bytes of a sample as a reader can count them, field by field: texts
// in backticks, a field's long run of trailing blanks by number.
std::string SampleCell(const protocol::InputLayout& layout) {
  const std::string_view sample = layout.sample;
  if (sample.empty()) return "(blank)";
  constexpr size_t kLongRun = 5;
  struct Token {
    std::string text;   // UTF-8 when not blanks
    size_t blanks = 0;  // a run of blanks shown by number
  };
  std::vector<Token> tokens;
  auto text = [&](std::string_view t) {
    if (t.empty()) return;
    if (tokens.empty() || tokens.back().blanks > 0) tokens.emplace_back();
    tokens.back().text.append(t);
  };
  auto blanks = [&](size_t n) {
    if (tokens.empty() || tokens.back().blanks == 0) tokens.emplace_back();
    tokens.back().blanks += n;
  };
  // The sample cut where the fields and the reserved bytes between them start.
  std::vector<size_t> cuts{0, sample.size()};
  for (const protocol::InputField& f : layout.fields) {
    cuts.push_back(std::min<size_t>(f.offset, sample.size()));
    cuts.push_back(std::min<size_t>(size_t{f.offset} + f.width, sample.size()));
  }
  std::sort(cuts.begin(), cuts.end());
  for (size_t i = 1; i < cuts.size(); ++i) {
    const std::string_view slice = sample.substr(cuts[i - 1], cuts[i] - cuts[i - 1]);
    const size_t kept = slice.find_last_not_of(' ') + 1;  // 0 when all blank
    if (slice.size() - kept >= kLongRun) {
      text(slice.substr(0, kept));
      blanks(slice.size() - kept);
    } else {
      text(slice);
    }
  }
  std::vector<std::string> parts;
  for (const Token& t : tokens) {
    parts.push_back(t.blanks > 0 ? Cat({std::to_string(t.blanks), " blanks"})
                                 : Cat({"`", U(t.text), "`"}));
  }
  return Joined(parts, " + ");
}

std::string BlockCell(const protocol::BlockLayout& block) {
  std::vector<std::string> parts;
  const std::string rowWidth = std::to_string(block.RowWidth());
  switch (block.rows) {
    case protocol::BlockRows::kHeaderCount:
      parts.push_back(Cat({"the number of rows in ", std::to_string(block.HeaderWidth()),
                           " digits (`", U(block.countField), "`)"}));
      parts.push_back(Cat({rowWidth, " bytes a row: ", Widths(block.row)}));
      break;
    case protocol::BlockRows::kPerRecordRow:
      if (!block.header.empty()) {
        parts.push_back(Cat(
            {"a ", std::to_string(block.HeaderWidth()), "-byte header: ", Widths(block.header)}));
      }
      parts.push_back(Cat({rowWidth, " bytes a row of ", block.rowsOf, ": ", Widths(block.row)}));
      break;
    case protocol::BlockRows::kFixed:
      parts.push_back(Cat({std::to_string(block.fixedRows * block.RowWidth()),
                           " bytes: ", std::to_string(block.fixedRows), " rows of ", rowWidth, " (",
                           Widths(block.row), "), blank where there is nothing"}));
      break;
    case protocol::BlockRows::kNone:
      parts.push_back(
          Cat({"a ", std::to_string(block.HeaderWidth()), "-byte header: ", Widths(block.header)}));
      break;
  }
  if (!block.contentSizeField.empty()) {
    parts.push_back(Cat({"the content, of `", U(block.contentSizeField), "` bytes"}));
  }
  std::string cell = Joined(parts, ", then ");
  if (block.lastData) cell += "; also GetLastData";
  return cell;
}

std::string LayoutCell(const protocol::OrderLayout& layout) {
  std::vector<std::string> parts;
  for (const protocol::OrderRecordField& f : layout.fields) {
    parts.push_back(Cat({U(protocol::OrderFieldName(f.field)), " ", std::to_string(f.width)}));
  }
  return Joined(parts, ", ");
}

struct Part {
  std::string_view name;
  std::function<std::string()> text;
};

const std::array<Part, 4>& Parts() {
  static const std::array<Part, 4> parts{{
      {"query services", QueryServicesTable},
      {"raw blocks", RawBlocksTable},
      {"FID field numbers", FidFieldNumbers},
      {"order layouts", OrderLayoutsTable},
  }};
  return parts;
}

}  // namespace

std::string QueryServicesTable() {
  std::string table =
      "| Code | Meaning | Input (bytes from 1) | Sample input |\n|---|---|---|---|\n";
  for (const protocol::CodeInfo& c : protocol::AllCodes()) {
    if (!IsQuery(c)) continue;
    std::string meaning = U(c.nameEn);
    if (!c.note.empty()) meaning.append(Cat({" (", U(c.note), ")"}));
    const protocol::InputLayout& input = *protocol::InputLayoutOf(c.code);
    table.append(
        Cat({"| ", Code(c.code), c.operation == protocol::Operation::kFidQuery ? " (FID)" : "",
             " | ", meaning, " | ", InputCell(input), " | ", SampleCell(input), " |\n"}));
  }
  return table;
}

std::string RawBlocksTable() {
  std::string table = "| Code | Block |\n|---|---|\n";
  for (const protocol::CodeInfo& c : protocol::AllCodes()) {
    const protocol::ReplyLayout* reply = protocol::ReplyLayoutOf(c.code);
    if (!IsQuery(c) || !reply || !reply->block) continue;
    table.append(Cat({"| ", Code(c.code), " | ", BlockCell(*reply->block), " |\n"}));
  }
  return table;
}

std::string FidFieldNumbers() {
  std::string text;
  for (const protocol::CodeInfo& c : protocol::AllCodes()) {
    if (c.operation != protocol::Operation::kFidQuery) continue;
    const std::span<const Field> fields = protocol::ReplyOf(c.code).records[0].fields;
    text.append(Cat({"- ", Code(c.code), ": "}));
    if (fields.size() > 40) {
      // The domestic symbol record: in the order of the record.
      text.append(Cat({std::to_string(fields.size()), " fields numbered 000 to ",
                       std::to_string(fields.size() - 1),
                       " in the order of the record (a name that stands twice is there when "
                       "either number is asked for)\n"}));
      continue;
    }
    std::vector<std::string> numbered;
    for (size_t i = 0; i < fields.size(); ++i) {
      char number[24];
      std::snprintf(number, sizeof number, "%03zu", i);
      numbered.push_back(Cat({number, " ", U(fields[i].name)}));
    }
    text.append(Joined(numbered, ", ")).append("\n");
  }
  return text;
}

std::string OrderLayoutsTable() {
  std::string table = "| Codes | Layout | Fields (width) | Longest |\n|---|---|---|---|\n";
  constexpr std::string_view kKindNames[] = {"New", "Amend", "Cancel"};
  std::vector<const protocol::OrderLayout*> layouts;
  std::map<const protocol::OrderLayout*, std::vector<std::string>> codes;
  std::map<const protocol::OrderLayout*, std::vector<std::string>> kinds;
  std::map<const protocol::OrderLayout*, std::optional<Market>> markets;
  for (const protocol::OrderCode& c : protocol::AllOrderCodes()) {
    if (!codes.contains(c.layout)) layouts.push_back(c.layout);
    const bool cme = c.kind == OrderKind::kCmeNew || c.kind == OrderKind::kCmeAmend ||
                     c.kind == OrderKind::kCmeCancel;
    codes[c.layout].push_back(Cat({cme ? "CME " : "", Code(c.code)}));
    if (!cme) kinds[c.layout].emplace_back(kKindNames[static_cast<size_t>(c.kind)]);
    markets[c.layout] = c.market;
  }
  for (const protocol::OrderLayout* l : layouts) {
    table.append(
        Cat({"| ", Joined(codes[l], ", "), " | ", l->name, " (", protocol::MarketName(markets[l]),
             " ", Joined(kinds[l], "/"), ")", l->composed ? "" : ", not composed by Apply Order",
             " | ", LayoutCell(*l), " | ", std::to_string(l->Width()), " |\n"}));
  }
  return table;
}

std::string StartMarker(std::string_view name) {
  return Cat({"<!-- protocol: ", name, " -->"});
}

std::string EndMarker(std::string_view name) {
  return Cat({"<!-- end protocol: ", name, " -->"});
}

std::optional<std::string> RegenerateDocument(std::string_view document, std::string* why) {
  std::string text(document);
  for (const Part& part : Parts()) {
    const std::string start = StartMarker(part.name);
    const std::string end = EndMarker(part.name);
    const size_t from = text.find(start);
    const size_t to = from == std::string::npos ? from : text.find(end, from);
    if (to == std::string::npos) {
      if (why) *why = Cat({"no ", start, " ... ", end, " in the document"});
      return std::nullopt;
    }
    const size_t body = from + start.size();
    text.replace(body, to - body, Cat({"\n", part.text()}));
  }
  return text;
}

}  // namespace zqk::doc
