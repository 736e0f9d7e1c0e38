#include "replies/MasterFileDecoder.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "protocol/FieldNames.h"
#include "protocol/Replies.h"
#include "replies/MasterFilePath.h"
#include "replies/MasterFileWriter.h"
#include "text/Cp949.h"
#include "text/DecimalText.h"

namespace zqk {
namespace {

// The content follows the header in the reply's raw data.
int32_t ContentOffset() {
  return static_cast<int32_t>(protocol::BlockHeaderWidth(tr::kMasterFile));
}
// The lines of a download, each in the language of the moment it is written.
class DownloadLog {
 public:
  explicit DownloadLog(DecoderOutput& out) : out_(out) {}

  void Size(int32_t size) {
    Line(std::string(Lang("파일크기[", "file size[")).append(std::to_string(size)).append("]"));
  }
  void CannotCreate(std::string_view shownPath) {
    Line(std::string(shownPath).append(Lang("화일 생성에 실패하였습니다.", " Fail Create File")));
  }
  void Done() { Line(std::string(Lang("처리완료", "File Download Done"))); }
  void CannotWrite(std::string_view shownPath, int error) {
    Line(std::string(shownPath)
             .append(Lang("화일 기록에 실패하였습니다: ", " Fail Write File: "))
             .append(Utf8ToCp949(std::strerror(error))));
  }
  void NegativeSize() {
    Line(std::string(Lang("파일크기가 음수여서 파일을 기록하지 않았습니다.",
                          "Negative File Size: Nothing Written")));
  }
  void ShortContent(size_t received) {
    const std::string n = std::to_string(received);
    Line(std::string(Lang("수신된 내용이 [", "Short Content: only ["))
             .append(n)
             .append(
                 Lang("]바이트뿐이어서 그만큼만 기록하였습니다.", "] bytes received and written")));
  }

 private:
  std::string_view Lang(std::string_view korean, std::string_view english) const {
    return out_.IsKorean() ? korean : english;
  }
  void Line(std::string text) { out_.Log(std::move(text)); }

  DecoderOutput& out_;
};

struct Copied {
  FileReplacement::Result result;
  size_t length = 0;  // bytes written
};

// Writes the announced `size` bytes of content, or as many as the agent
// holds, straight from the agent's block into the file.
Copied CopyContent(std::string_view trCode, int32_t size, AgentReader& reader,
                   FileReplacement& file) {
  Copied copied;
  reader.ReadDataBlock(trCode, -1, ContentOffset(), size, 0, "A", [&](std::string_view block) {
    // Never more than announced, whatever the agent returns.
    const std::string_view content = block.substr(0, static_cast<size_t>(size));
    copied.result = file.Write(content);
    copied.length = content.size();
  });
  // Only content that was written replaces a file: an empty one (a size of 0,
  // or one that is not a number, or no content at all) leaves an existing
  // file as it was, as writing nothing into it in place would, and creates a
  // missing one empty.
  const bool replaces = copied.length > 0 || !file.TargetExists();
  if (copied.result.status == FileReplacement::Status::kOk && replaces) {
    copied.result = file.Commit();
  }
  return copied;
}

}  // namespace

void DecodeMasterFile(std::string_view trCode, AgentReader& reader, DecoderOutput& out,
                      const std::filesystem::path& executableDir) {
  DownloadLog log(out);
  auto value = [&](std::string_view name) {
    return reader.GetFieldValue(trCode, -1, protocol::kOutRec1, 0, name);
  };
  const int32_t size = LeadingInt32(value(field::kFileSize));
  log.Size(size);
  const std::string name = value(field::kFileName);
  const std::string answer = value(field::kAnswerCode);
  if (answer != protocol::kMasterAnswerOk) {
    // Not an error: the reply carries no content, and no file is touched.
    log.Done();
    return;
  }

  const std::string shownPath = MasterFileShownPath(executableDir, name);
  const std::optional<std::filesystem::path> target = MasterFilePath(executableDir, name);
  if (!target) {
    log.CannotCreate(shownPath);
    return;
  }
  if (size < 0) {
    log.NegativeSize();
    return;
  }
  FileReplacement file(*target);
  if (file.Opened().status != FileReplacement::Status::kOk) {
    log.CannotCreate(shownPath);
    return;
  }
  const Copied copied = CopyContent(trCode, size, reader, file);
  switch (copied.result.status) {
    case FileReplacement::Status::kOk:
      break;
    case FileReplacement::Status::kOpenFailed:
      log.CannotCreate(shownPath);
      return;
    case FileReplacement::Status::kWriteFailed:
      log.CannotWrite(shownPath, copied.result.error);
      return;
  }
  if (copied.length < static_cast<size_t>(size)) log.ShortContent(copied.length);
  log.Done();
}

}  // namespace zqk
