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
#include <unordered_map>
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
  // The data the reads above find under a code (or key) and real type, as
  // it was delivered; null when there is none.
  const EventData* Find(std::string_view code, int32_t realType) const;

 private:
  void Put(std::string_view code, int32_t realType, std::shared_ptr<const EventData> data);

  // A code or key with its real type; looked up without a copy of the text.
  struct Slot {
    std::string_view code;
    int32_t realType;
  };
  struct SlotHash {
    using is_transparent = void;
    size_t operator()(const Slot& s) const;
    size_t operator()(const std::pair<std::string, int32_t>& s) const {
      return (*this)(Slot{s.first, s.second});
    }
  };
  struct SlotEqual {
    using is_transparent = void;
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
      return Code(a) == Code(b) && Type(a) == Type(b);
    }
    static std::string_view Code(const Slot& s) { return s.code; }
    static std::string_view Code(const std::pair<std::string, int32_t>& s) { return s.first; }
    static int32_t Type(const Slot& s) { return s.realType; }
    static int32_t Type(const std::pair<std::string, int32_t>& s) { return s.second; }
  };

  // Every read looks its event up here: hashed, as the feeds put records
  // many thousand times a second.
  std::unordered_map<std::pair<std::string, int32_t>, std::shared_ptr<const EventData>, SlotHash,
                     SlotEqual>
      data_;
  std::map<int32_t, std::string> lastKeyOfType_;
  std::map<int32_t, std::string> nextKeys_;  // by RQID
  std::shared_ptr<const EventData> last_;
};

}  // namespace zqk::sandbox
