#pragma once
// An inspection as text (CP949): values shown as CP949 text with every byte
// that is not (control bytes, stray lead bytes, pairs CP949 lacks) as \xHH;
// the notes in the display language; byte dumps of offset, hex and text; and
// the line form that copying and the headless driver share:
//
//   part OutRec1 count=3
//   field OutRec1 row=0 name="일자" offset=0 width=8 value="20160901"
//   note OutRec1 "..."
//   bytes raw offset=0 hex="41 42" text="AB"

#include <string>
#include <string_view>
#include <vector>

#include "replies/ReplyInspection.h"

namespace zqk::inspect {

enum class Language : uint8_t { kKorean, kEnglish };

// `bytes` as CP949 text, each byte that is not CP949 text as \xHH.
std::string ShownBytes(std::string_view bytes);
// ShownBytes in double quotes, with " and \ escaped by a backslash.
std::string Quoted(std::string_view bytes);

// "OutRec1", "block", "raw".
std::string_view PartName(const Part& part);
// The part's title for a reader: its source and the count or length it had.
std::string PartTitle(const Part& part, Language language);
// "row 3", "header", "content".
std::string RowLabel(const Row& row, Language language);
std::string NoteText(const Note& note, Language language);

// 16 bytes a line: offset (hex, 8 digits), the bytes in hex, then the text
// (printable ASCII, '.' for the rest).
inline constexpr size_t kDumpWidth = 16;
std::vector<std::string> DumpLines(std::string_view bytes, uint64_t offset);

// One field, one row, or a whole inspection in the line form above.
std::string FieldLine(const Part& part, const Row& row, const Field& field);
std::vector<std::string> RowLines(const Part& part, const Row& row);
std::vector<std::string> InspectionLines(const Inspection& inspection, Language language);

}  // namespace zqk::inspect
