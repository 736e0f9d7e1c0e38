#pragma once
// The data of delivered events, where the reading operations find it:
// replies by TR code (real type -1), real-time records by key and real type.
// An event's data stays readable until the next event of the same code, or
// key and real type, replaces it, so a handler may read it for as long as it
// runs. A real-time read under a key that has no record of that real type
// finds the latest record of the type (type 208 is read under the key "0").
// Every offset, length and row is checked: out of range gives an empty
// answer, never a read past the data.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "sandbox/events/EventData.h"

namespace zqk::sandbox {

class EventStore {
 public:
  static constexpr int32_t kReplyType = -1;
  // How many continuation keys are kept, by RQID (the newest).
  static constexpr size_t kKeptKeys = 1024;

  void PutReply(std::string_view code, int32_t rqId, std::shared_ptr<const EventData> data);
  void PutReal(std::string_view key, int32_t realType, std::shared_ptr<const EventData> data);
  // Forgets everything (the connection ended).
  void Clear();

  int32_t RepeatCount(std::string_view code, int32_t realType, std::string_view record) const;
  std::string FieldValue(std::string_view code, int32_t realType, std::string_view record,
                         int32_t row, std::string_view field) const;
  std::string DataBlock(std::string_view code, int32_t realType, int32_t offset,
                        int32_t length) const;
  std::string LastData() const;
  std::string NextKey(int32_t rqId) const;

 private:
  const EventData* Find(std::string_view code, int32_t realType) const;

  std::map<std::pair<std::string, int32_t>, std::shared_ptr<const EventData>> data_;
  std::map<int32_t, std::string> lastKeyOfType_;
  std::map<int32_t, std::string> nextKeys_;  // by RQID
  std::shared_ptr<const EventData> last_;
};

}  // namespace zqk::sandbox
