#include "sandbox/masters/MasterReply.h"

#include <cstdio>
#include <stdexcept>

#include "protocol/FieldNames.h"
#include "protocol/Replies.h"
#include "protocol/TrCodes.h"
#include "sandbox/events/LayoutRow.h"
#include "sandbox/events/SandboxMessages.h"

namespace zqk::sandbox {
namespace {

namespace f = field;

const protocol::ReplyLayout& Layout() {
  return protocol::ReplyOf(tr::kMasterFile);
}

constexpr std::string_view kAnswerOkText = "정상처리되었습니다";

// OutRec1's one row and the header of the raw data (the same fields, none
// of them cut), then the content.
EventData Reply(std::string_view answer, std::string_view fileName, size_t size, size_t rows,
                size_t rowWidth, std::string_view kind, const market::LocalTime& made,
                std::string_view message, std::string_view content) {
  char time[16];
  std::snprintf(time, sizeof time, "%06d", static_cast<int>(made.time % 1000000));
  EventData data;
  LayoutRow row = AddRow(data, Layout().records[0]);
  row.Set(f::kTrCode, tr::kMasterFile)
      .Set(f::kAnswerCode, answer)
      .Set(f::kFileName, fileName)
      .Set(f::kFileSize, std::to_string(size))
      .Set(f::kRowCount, std::to_string(rows))
      .Set(f::kRowLength, std::to_string(rowWidth))
      .Set(f::kKind, kind)
      .Set(f::kMadeDate, std::to_string(made.date))
      .Set(f::kMadeTime, time)
      .Set(f::kAnswerMessage, message);
  const std::span<const protocol::Field> header = Layout().block->header;
  for (const protocol::Field& h : header) {
    if (row.row().find(h.name)->second.size() > h.width) {
      throw std::logic_error("master file header field too long");
    }
  }
  data.block.reserve(protocol::Width(header) + content.size());
  data.block.append(LayoutBlockRow(header).SetFrom(row.row()).text()).append(content);
  return data;
}

}  // namespace

EventData MasterFileReply(const MasterFile& file, const market::ProductUniverse& universe,
                          const market::LocalTime& made) {
  const std::string content = MasterFileContent(file, universe);
  return Reply(protocol::kMasterAnswerOk, file.fileName, content.size(),
               MasterRowCount(file, universe), RowWidth(file), file.kind, made, kAnswerOkText,
               content);
}

EventData MasterKindUnknownReply(const market::LocalTime& made) {
  return Reply(protocol::kMasterAnswerNoFile, "", 0, 0, 0, "", made, kMsgUnknownMasterKind.text,
               {});
}

}  // namespace zqk::sandbox
