#pragma once
// The agent's reading operations as the decoders of replies and real-time
// records use them, while the event being decoded is delivered. The dialog
// reads through its agent wrapper; a decoder test can read from a table.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zqk {

class CZQKCommAgent;

class AgentReader {
 public:
  virtual ~AgentReader() = default;
  virtual int32_t GetRepeatCount(std::string_view code, int32_t realType,
                                 std::string_view recordName) = 0;
  virtual std::string GetFieldValue(std::string_view code, int32_t realType,
                                    std::string_view recordName, int32_t row,
                                    std::string_view fieldName) = 0;
  virtual std::string GetDataBlock(std::string_view code, int32_t realType, int32_t offset,
                                   int32_t length, int32_t reserved, std::string_view mode) = 0;
  // GetDataBlock whose bytes are lent to `sink` for the duration of the call
  // rather than copied, for blocks as large as a whole file.
  virtual void ReadDataBlock(std::string_view code, int32_t realType, int32_t offset,
                             int32_t length, int32_t reserved, std::string_view mode,
                             const std::function<void(std::string_view)>& sink) {
    sink(GetDataBlock(code, realType, offset, length, reserved, mode));
  }
  virtual std::string GetLastData() = 0;
  virtual std::string GetNextKey(int32_t rqId, std::string_view reserved) = 0;
  virtual std::string FormatValue(std::string_view productCode, std::string_view value,
                                  int32_t kind) = 0;
};

// Reads through the dialog's agent wrapper. A failed call throws AgentError,
// as every call through the wrapper does: the event is abandoned.
class WrapperReader final : public AgentReader {
 public:
  explicit WrapperReader(CZQKCommAgent& agent) : agent_(agent) {}
  int32_t GetRepeatCount(std::string_view code, int32_t realType,
                         std::string_view recordName) override;
  std::string GetFieldValue(std::string_view code, int32_t realType, std::string_view recordName,
                            int32_t row, std::string_view fieldName) override;
  std::string GetDataBlock(std::string_view code, int32_t realType, int32_t offset, int32_t length,
                           int32_t reserved, std::string_view mode) override;
  void ReadDataBlock(std::string_view code, int32_t realType, int32_t offset, int32_t length,
                     int32_t reserved, std::string_view mode,
                     const std::function<void(std::string_view)>& sink) override;
  std::string GetLastData() override;
  std::string GetNextKey(int32_t rqId, std::string_view reserved) override;
  std::string FormatValue(std::string_view productCode, std::string_view value,
                          int32_t kind) override;

 private:
  CZQKCommAgent& agent_;
};

}  // namespace zqk
