#include "dialog/ReplyInspector.h"

#include <utility>

namespace zqk {
namespace {

uint64_t EntryBytes(const InspectorEntry& e) {
  const size_t code = e.code.capacity() > 15 ? e.code.capacity() + 1 : 0;
  return sizeof(InspectorEntry) + code + e.inspection.heldBytes;
}

}  // namespace

void ReplyInspector::Add(InspectorEntry entry) {
  entry.serial = nextSerial_++;
  heldBytes_ += EntryBytes(entry);
  entries_.push_front(std::move(entry));
  while (entries_.size() > maxEntries_ || (heldBytes_ > maxBytes_ && entries_.size() > 1)) {
    heldBytes_ -= EntryBytes(entries_.back());
    entries_.pop_back();
    ++dropped_;
  }
}

void ReplyInspector::Clear() {
  dropped_ += entries_.size();
  entries_.clear();
  heldBytes_ = 0;
}

const InspectorEntry* ReplyInspector::BySerial(uint64_t serial) const {
  if (entries_.empty() || serial > entries_.front().serial || serial < entries_.back().serial) {
    return nullptr;
  }
  return &entries_[entries_.front().serial - serial];
}

std::string EntryHeaderLine(const InspectorEntry& e) {
  std::string line = "entry kind=";
  if (e.kind == InspectedKind::kReply) {
    line.append("reply code=").append(inspect::Quoted(e.code));
    line.append(" rqid=").append(std::to_string(e.rqId));
    line.append(" latency=").append(e.latencyMs ? std::to_string(*e.latencyMs) : "-");
  } else {
    line.append("real key=").append(inspect::Quoted(e.code));
    line.append(" type=").append(std::to_string(e.realType));
  }
  line.append(" bytes=").append(std::to_string(e.inspection.dataBytes));
  line.append(" at=").append(std::to_string(e.agentMs));
  return line;
}

std::vector<std::string> EntryLines(const InspectorEntry& entry, inspect::Language language) {
  std::vector<std::string> lines = inspect::InspectionLines(entry.inspection, language);
  lines.insert(lines.begin(), EntryHeaderLine(entry));
  return lines;
}

}  // namespace zqk
