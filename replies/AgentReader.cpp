#include "replies/AgentReader.h"

#include "agent/CZQKCommAgent.h"

namespace zqk {

int32_t WrapperReader::GetRepeatCount(std::string_view code, int32_t realType,
                                      std::string_view recordName) {
  return agent_.GetRepeatCount(code, realType, recordName);
}

std::string WrapperReader::GetFieldValue(std::string_view code, int32_t realType,
                                         std::string_view recordName, int32_t row,
                                         std::string_view fieldName) {
  return agent_.GetFieldValue(code, realType, recordName, row, fieldName);
}

std::string WrapperReader::GetDataBlock(std::string_view code, int32_t realType, int32_t offset,
                                        int32_t length, int32_t reserved, std::string_view mode) {
  return agent_.GetDataBlock(code, realType, offset, length, reserved, mode);
}

void WrapperReader::ReadDataBlock(std::string_view code, int32_t realType, int32_t offset,
                                  int32_t length, int32_t reserved, std::string_view mode,
                                  const std::function<void(std::string_view)>& sink) {
  agent_.ReadDataBlock(code, realType, offset, length, reserved, mode, sink);
}

std::string WrapperReader::GetLastData() {
  return agent_.GetLastData();
}

std::string WrapperReader::GetNextKey(int32_t rqId, std::string_view reserved) {
  return agent_.GetNextKey(rqId, reserved);
}

std::string WrapperReader::FormatValue(std::string_view productCode, std::string_view value,
                                       int32_t kind) {
  return agent_.FormatValue(productCode, value, kind);
}

}  // namespace zqk
