#include "sandbox/masters/MasterReply.h"

#include <array>
#include <cstdio>
#include <stdexcept>

#include "sandbox/events/SandboxMessages.h"

namespace zqk::sandbox {
namespace {

struct HeaderField {
  std::string_view name;  // CP949: the OutRec1 field name
  size_t width;
};

constexpr HeaderField kHeader[] = {
    {"TR코드", 6},     {"응답코드", 4}, {"파일명", 40},  {"파일크기", 10}, {"레코드수", 8},
    {"레코드길이", 4}, {"구분", 8},     {"생성일자", 8}, {"생성시각", 6},  {"응답메시지", 46},
};

constexpr size_t HeaderWidth() {
  size_t width = 0;
  for (const HeaderField& f : kHeader) width += f.width;
  return width;
}
static_assert(HeaderWidth() == kMasterHeaderSize);

constexpr std::string_view kAnswerOkText = "정상처리되었습니다";

using HeaderValues = std::array<std::string, std::size(kHeader)>;

HeaderValues Header(std::string_view answer, std::string_view fileName, size_t size, size_t rows,
                    size_t rowWidth, std::string_view kind, const market::LocalTime& made,
                    std::string_view message) {
  char time[16];
  std::snprintf(time, sizeof time, "%06d", static_cast<int>(made.time % 1000000));
  return {std::string(kMasterFileTrCode),
          std::string(answer),
          std::string(fileName),
          std::to_string(size),
          std::to_string(rows),
          std::to_string(rowWidth),
          std::string(kind),
          std::to_string(made.date),
          time,
          std::string(message)};
}

// OutRec1's one row and the header of the raw data, then the content.
EventData Reply(const HeaderValues& values, std::string_view content) {
  EventData data;
  EventData::Row& row = data.AddRow("OutRec1");
  data.block.reserve(kMasterHeaderSize + content.size());
  for (size_t i = 0; i < std::size(kHeader); ++i) {
    const HeaderField& f = kHeader[i];
    if (values[i].size() > f.width) throw std::logic_error("master file header field too long");
    row[f.name] = values[i];
    data.block.append(values[i]).append(f.width - values[i].size(), ' ');
  }
  data.block.append(content);
  return data;
}

}  // namespace

EventData MasterFileReply(const MasterFile& file, const market::ProductUniverse& universe,
                          const market::LocalTime& made) {
  const std::string content = MasterFileContent(file, universe);
  return Reply(
      Header(kMasterAnswerOk, file.fileName, content.size(), MasterRowCount(file, universe),
             RowWidth(file), file.kind, made, kAnswerOkText),
      content);
}

EventData MasterKindUnknownReply(const market::LocalTime& made) {
  return Reply(Header(kMasterAnswerNoFile, "", 0, 0, 0, "", made, kMsgUnknownMasterKind.text), {});
}

}  // namespace zqk::sandbox
