#pragma once
// An agent in the fuzz target's own process whose every answer comes from the
// input: the events it delivers (TR replies or real-time records) and, for
// each, its field values, repeat counts, data block, raw data, next key,
// FormatValue results and the user's answers. The input is text, one line
// each, fields split by tabs (the last field takes the rest of its line):
//
//   C <tab> code                  a TR reply of `code` starts
//   R <tab> key <tab> realType    a real-time record starts
//   F <tab> record <tab> row <tab> field <tab> value
//   N <tab> record <tab> count    GetRepeatCount (decimal, held at 32 bits)
//   B <tab> bytes                 GetDataBlock: the part asked for
//   W <tab> bytes                 GetDataBlock: all of it, whatever was asked
//   L <tab> bytes                 GetLastData
//   K <tab> bytes                 GetNextKey
//   V <tab> bytes                 the next FormatValue result (else the value)
//   A <tab> yes|no                the next answer to a question
//   E                             the English captions are chosen
//
// Lines before the first event, and lines that are none of these, are
// ignored: every input is a valid one.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "replies/AgentReader.h"
#include "replies/DecoderOutput.h"

namespace zqk::fuzz {

struct CannedEvent {
  bool realTime = false;
  std::string code;  // the TR code, or the real-time key
  int32_t realType = -1;
  std::map<std::tuple<std::string, int32_t, std::string>, std::string> fields;
  std::map<std::string, int32_t> counts;
  std::string block;
  bool wholeBlock = false;
  std::optional<std::string> lastData;
  std::string nextKey;
  std::vector<std::string> formatted;
  std::vector<bool> answers;
  bool korean = true;
};

// At most `maxEvents` events of the input.
std::vector<CannedEvent> ParseCannedEvents(std::string_view input, size_t maxEvents);

// A decimal number held at the 32-bit limits; 0 without digits.
int32_t HeldInt32(std::string_view text);

// The tab-separated fields of one line: at most `count`, the last one taking
// the rest of the line.
std::vector<std::string_view> SplitFields(std::string_view line, size_t count);

// Answers the decoders' reads from one event at a time.
class CannedAgent final : public AgentReader {
 public:
  void Deliver(const CannedEvent& event) {
    event_ = &event;
    formatted_ = 0;
  }

  int32_t GetRepeatCount(std::string_view code, int32_t realType,
                         std::string_view recordName) override;
  std::string GetFieldValue(std::string_view code, int32_t realType, std::string_view recordName,
                            int32_t row, std::string_view fieldName) override;
  std::string GetDataBlock(std::string_view code, int32_t realType, int32_t offset, int32_t length,
                           int32_t reserved, std::string_view mode) override;
  std::string GetLastData() override;
  std::string GetNextKey(int32_t rqId, std::string_view reserved) override;
  std::string FormatValue(std::string_view productCode, std::string_view value,
                          int32_t kind) override;

 private:
  const CannedEvent* event_ = nullptr;
  size_t formatted_ = 0;
};

// Takes what the decoders show and checks what must always hold of it.
class CheckedOutput final : public DecoderOutput {
 public:
  void Deliver(const CannedEvent& event) {
    event_ = &event;
    answered_ = 0;
  }

  void Log(std::string_view line) override;
  void SetDisplay(QuoteDisplay, std::string_view) override {}
  bool AskYesNo(std::string_view text, std::string_view caption) override;
  void ShowMessage(std::string_view) override {}
  void ContinueQuery(std::string nextKey) override;
  bool IsKorean() const override { return event_->korean; }

  size_t lines() const { return lines_; }

 private:
  const CannedEvent* event_ = nullptr;
  size_t answered_ = 0;
  size_t lines_ = 0;
};

// Aborts with `what` on standard error when `condition` is false: a finding.
void Check(bool condition, const char* what);

}  // namespace zqk::fuzz
