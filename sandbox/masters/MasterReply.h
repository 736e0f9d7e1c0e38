#pragma once
// The master-file replies, one reply per file, by the layout of their code
// (protocol/AccountReplies.cpp): record 0 of "OutRec1" names the file
// (파일명), gives the content's size in bytes (파일크기) and the answer code
// (응답코드: REOK when the content follows, RERR for a kind with no files).
// The raw data is the header, the same fields fixed-width, then the content:
// GetDataBlock from the header's end for the announced size reads exactly
// the file.

#include <cstddef>
#include <string>
#include <string_view>

#include "sandbox/events/EventData.h"
#include "sandbox/market/Calendar.h"
#include "sandbox/market/ProductUniverse.h"
#include "sandbox/masters/MasterFiles.h"

namespace zqk::sandbox {

// The reply that delivers `file`, made at `made`.
EventData MasterFileReply(const MasterFile& file, const market::ProductUniverse& universe,
                          const market::LocalTime& made);
// The reply to a kind that names no file: answer code "RERR", no content.
EventData MasterKindUnknownReply(const market::LocalTime& made);

}  // namespace zqk::sandbox
