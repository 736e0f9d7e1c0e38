#pragma once
// The "v90001" replies that deliver master files, one reply per file. Record
// 0 of "OutRec1" names the file ("파일명"), gives the content's size in bytes
// ("파일크기") and the answer code ("응답코드": "REOK" when the content
// follows). The raw data is a 140-byte header that repeats those fields as
// fixed-width text, then the content: GetDataBlock from offset 140 of the
// announced size reads exactly the file.
//
// Header (every field left-aligned, filled with blanks; OutRec1 carries the
// same fields under the same names, without the blanks):
//   offset width  field
//        0     6  TR코드      "v90001"
//        6     4  응답코드    "REOK", or "RERR" for a kind with no files
//       10    40  파일명      the file's name ("" when none)
//       50    10  파일크기    content bytes, decimal ("0" when none)
//       60     8  레코드수    rows of the content
//       68     4  레코드길이  bytes of a row, CR LF included
//       72     8  구분        the kind the file belongs to ("futures",
//                             "option"; blank when none)
//       80     8  생성일자    YYYYMMDD of the agent's clock at the request
//       88     6  생성시각    HHMMSS likewise
//       94    46  응답메시지  what the answer code means

#include <cstddef>
#include <string>
#include <string_view>

#include "sandbox/events/EventData.h"
#include "sandbox/market/Calendar.h"
#include "sandbox/market/ProductUniverse.h"
#include "sandbox/masters/MasterFiles.h"

namespace zqk::sandbox {

inline constexpr std::string_view kMasterFileTrCode = "v90001";
inline constexpr std::string_view kMasterAnswerOk = "REOK";
inline constexpr std::string_view kMasterAnswerNoFile = "RERR";
inline constexpr size_t kMasterHeaderSize = 140;

// The reply that delivers `file`, made at `made`.
EventData MasterFileReply(const MasterFile& file, const market::ProductUniverse& universe,
                          const market::LocalTime& made);
// The reply to a kind that names no file: answer code "RERR", no content.
EventData MasterKindUnknownReply(const market::LocalTime& made);

}  // namespace zqk::sandbox
