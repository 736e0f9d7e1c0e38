#pragma once
// The reply inspector's memory: while it is on, every reply and real-time
// record the dialog decodes is read in full (replies/ReplyInspection.h) and
// kept here, newest first, at most kMaxEntries and kMaxBytes; the oldest go
// first and are counted. While it is off it reads nothing, so the console
// makes exactly the agent calls it makes without it.

#include <cstdint>
#include <ctime>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "replies/InspectionText.h"
#include "replies/ReplyInspection.h"

namespace zqk {

enum class InspectedKind : uint8_t { kReply, kRealTime };

struct InspectorEntry {
  uint64_t serial = 0;    // 1 for the first entry ever kept, then on
  std::time_t clock = 0;  // wall clock, as the log's timestamps
  int64_t agentMs = 0;    // agent time
  InspectedKind kind = InspectedKind::kReply;
  std::string code = {};  // TR code, or the real-time key
  int32_t realType = -1;  // -1 for a reply
  int32_t rqId = 0;       // replies only
  // From the press that sent the request to its first reply; none when the
  // activity knows no press for the RQID.
  std::optional<int64_t> latencyMs = std::nullopt;
  inspect::Inspection inspection = {};
};

class ReplyInspector {
 public:
  static constexpr size_t kMaxEntries = 10'000;
  static constexpr uint64_t kMaxBytes = 64ull << 20;

  // Caps other than the defaults (tests).
  explicit ReplyInspector(size_t maxEntries = kMaxEntries, uint64_t maxBytes = kMaxBytes)
      : maxEntries_(maxEntries), maxBytes_(maxBytes) {}

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // Keeps `entry` as the newest (its serial is given here) and drops the
  // oldest beyond the caps.
  void Add(InspectorEntry entry);
  void Clear();

  // The budget of one inspection: an entry alone always fits the caps.
  inspect::Budget EntryBudget() const { return {maxBytes_ / 4 * 3}; }

  size_t Count() const { return entries_.size(); }
  // n from 0, the newest.
  const InspectorEntry& At(size_t n) const { return entries_[n]; }
  // Null when the entry of that serial has been dropped.
  const InspectorEntry* BySerial(uint64_t serial) const;
  uint64_t NewestSerial() const { return nextSerial_ - 1; }
  uint64_t Dropped() const { return dropped_; }
  uint64_t HeldBytes() const { return heldBytes_; }

 private:
  size_t maxEntries_;
  uint64_t maxBytes_;
  bool enabled_ = false;
  std::deque<InspectorEntry> entries_;
  uint64_t nextSerial_ = 1;
  uint64_t dropped_ = 0;
  uint64_t heldBytes_ = 0;
};

// The header line of an entry: kind, code or key and real type, RQID,
// latency, bytes, agent time.
std::string EntryHeaderLine(const InspectorEntry& entry);
// The header and the inspection's lines (replies/InspectionText.h).
std::vector<std::string> EntryLines(const InspectorEntry& entry, inspect::Language language);

}  // namespace zqk
