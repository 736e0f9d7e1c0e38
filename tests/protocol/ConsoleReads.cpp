#include "tests/protocol/ConsoleReads.h"

#include <algorithm>

#include "protocol/FieldNames.h"
#include "protocol/Replies.h"
#include "protocol/TrCodes.h"
#include "replies/RealTimeDecoder.h"
#include "replies/TrReplyDecoders.h"

namespace zqk::test {
namespace {

class RecordingReader final : public AgentReader {
 public:
  explicit RecordingReader(ConsoleReads& reads) : reads_(reads) {}

  int32_t GetRepeatCount(std::string_view, int32_t, std::string_view) override {
    return kRowsAnnounced;
  }
  std::string GetFieldValue(std::string_view, int32_t, std::string_view record, int32_t row,
                            std::string_view field) override {
    reads_.fields.push_back({std::string(record), row, std::string(field)});
    if (field == field::kAnswerCode) return std::string(protocol::kMasterAnswerOk);
    if (field == field::kFileName) return "check.mst";
    return "1";
  }
  std::string GetDataBlock(std::string_view code, int32_t, int32_t offset, int32_t length, int32_t,
                           std::string_view) override {
    reads_.blocks.push_back({std::string(code), offset, length});
    return std::string(static_cast<size_t>(std::max(length, 0)), 'x');
  }
  std::string GetLastData() override {
    // Two accounts, as the account list's layout has them.
    const protocol::BlockLayout& block = *protocol::ReplyOf(tr::kAccountList).block;
    std::string data(block.HeaderWidth(), '0');
    data.back() = '2';
    return data.append(2 * block.RowWidth(), ' ');
  }
  std::string GetNextKey(int32_t, std::string_view) override { return {}; }
  std::string FormatValue(std::string_view, std::string_view value, int32_t) override {
    return std::string(value);
  }

 private:
  ConsoleReads& reads_;
};

class QuietOutput final : public DecoderOutput {
 public:
  void Log(std::string_view) override {}
  void SetDisplay(QuoteDisplay, std::string_view) override {}
  bool AskYesNo(std::string_view, std::string_view) override { return false; }
  void ShowMessage(std::string_view) override {}
  void ContinueQuery(std::string) override {}
  bool IsKorean() const override { return true; }
};

}  // namespace

ConsoleReads ReadsOfReply(std::string_view code, const std::filesystem::path& downloadDir) {
  ConsoleReads reads;
  RecordingReader reader(reads);
  QuietOutput out;
  reads.decoded = DecodeTrReply(code, 1, reader, out, downloadDir);
  return reads;
}

ConsoleReads ReadsOfRealData(std::string_view key, int32_t realType) {
  ConsoleReads reads;
  RecordingReader reader(reads);
  QuietOutput out;
  // Every record passes the order-number filter: its number reads "1".
  std::string lastOrderNo = "1";
  DecodeRealData(key, realType, reader, out, lastOrderNo);
  reads.decoded = true;
  return reads;
}

}  // namespace zqk::test
