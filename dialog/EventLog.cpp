#include "dialog/EventLog.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace zqk {

EventLog::EventLog() = default;
EventLog::~EventLog() = default;

void EventLog::FreeMemory::operator()(void* memory) const {
  std::free(memory);
}

void* EventLog::HugeMemory(size_t bytes) {
  bytes = (std::max<size_t>(bytes, 1) + kHugePage - 1) / kHugePage * kHugePage;
  void* memory = std::aligned_alloc(kHugePage, bytes);
  if (!memory) throw std::bad_alloc();
  // A growing log writes every line into memory never touched before: with
  // 4 KiB pages a page fault every 60-odd lines, and on a virtual machine
  // each fault and the TLB misses after it cost microseconds (a reply of 233
  // lines took three times as long in a growing log as in a small one). A
  // huge page takes one fault for 2 MiB. Where the kernel has none to give,
  // nothing changes.
  ::madvise(memory, bytes, MADV_HUGEPAGE);
  return memory;
}

EventLog::Chunk EventLog::NewChunk(size_t bytes) {
  Chunk chunk;
  chunk.capacity = (std::max<size_t>(bytes, 1) + kChunkBytes - 1) / kChunkBytes * kChunkBytes;
  chunk.bytes.reset(static_cast<char*>(HugeMemory(chunk.capacity)));
  return chunk;
}

uint64_t EventLog::Position(size_t index) const {
  return positionBlocks_[index / kPositionsPerBlock][index % kPositionsPerBlock];
}

std::string_view EventLog::Line(LineIndex index) const {
  if (index.value >= count_) return {};
  const uint64_t pos = Position(index.value);
  const size_t chunk = static_cast<size_t>(pos >> 32);
  const size_t offset = static_cast<size_t>(pos & 0xFFFFFFFFu);
  size_t end = chunks_[chunk].used;
  if (index.value + 1 < count_) {
    const uint64_t next = Position(index.value + 1);
    if (static_cast<size_t>(next >> 32) == chunk) end = static_cast<size_t>(next & 0xFFFFFFFFu);
  }
  return {chunks_[chunk].bytes.get() + offset, end - offset};
}

void EventLog::Append(std::string_view line) {
  if (chunks_.empty() || chunks_.back().capacity - chunks_.back().used < line.size()) {
    // A line never spans two chunks; an over-long line gets a chunk of its own.
    chunks_.push_back(NewChunk(line.size()));
  }
  Chunk& chunk = chunks_.back();
  if (!line.empty()) std::memcpy(chunk.bytes.get() + chunk.used, line.data(), line.size());
  const size_t block = count_ / kPositionsPerBlock;
  if (block == positionBlocks_.size()) {
    positionBlocks_.emplace_back(
        static_cast<uint64_t*>(HugeMemory(kPositionsPerBlock * sizeof(uint64_t))));
  }
  positionBlocks_[block][count_ % kPositionsPerBlock] =
      (static_cast<uint64_t>(chunks_.size() - 1) << 32) | chunk.used;
  chunk.used += line.size();
  ++count_;
  Notify(LogChange::kAppended);
}

void EventLog::Clear() {
  // The first chunk and block of positions stay for the lines to come: a log
  // cleared now and then would otherwise fetch them afresh from the system
  // every time, a huge page's fault and clearing included.
  if (chunks_.size() > 1) chunks_.resize(1);
  if (!chunks_.empty()) chunks_.front().used = 0;
  if (positionBlocks_.size() > 1) positionBlocks_.resize(1);
  count_ = 0;
  selected_.reset();
  Notify(LogChange::kCleared);
}

void EventLog::Select(std::optional<LineIndex> line) {
  if (line && line->value >= count_) line.reset();
  if (selected_ == line) return;
  selected_ = line;
  Notify(LogChange::kSelection);
}

std::string_view EventLog::LineRun(LineIndex first, LineIndex limit, LineIndex& runEnd) const {
  limit.value = std::min(limit.value, count_);
  if (first.value >= limit.value) {
    runEnd = first;
    return {};
  }
  const uint64_t start = Position(first.value);
  const uint64_t chunk = start >> 32;
  // Chunk numbers only grow with the line number: the run ends at the first
  // line of a later chunk.
  size_t low = first.value + 1, high = limit.value;
  while (low < high) {
    const size_t mid = low + (high - low) / 2;
    if ((Position(mid) >> 32) == chunk)
      low = mid + 1;
    else
      high = mid;
  }
  runEnd = LineIndex{low};
  const size_t begin = static_cast<size_t>(start & 0xFFFFFFFFu);
  const size_t end = low < count_ && (Position(low) >> 32) == chunk
                         ? static_cast<size_t>(Position(low) & 0xFFFFFFFFu)
                         : chunks_[chunk].used;
  return {chunks_[chunk].bytes.get() + begin, end - begin};
}

EventLog::ListenerId EventLog::AddListener(Listener listener) {
  const ListenerId id = nextListener_++;
  // A listener added while the views hear a change waits for the next one:
  // the list must not move under the listener that is running.
  (notifying_ > 0 ? addedWhileNotifying_ : listeners_).emplace_back(id, std::move(listener));
  return id;
}

void EventLog::RemoveListener(ListenerId id) {
  for (auto* list : {&listeners_, &addedWhileNotifying_}) {
    for (auto& [each, listener] : *list) {
      if (each != id) continue;
      // Emptied, and erased once no notification is under way.
      if (notifying_ > 0) {
        removedWhileNotifying_ = true;
        each = 0;
      } else {
        list->erase(std::find_if(list->begin(), list->end(),
                                 [id](const auto& entry) { return entry.first == id; }));
      }
      return;
    }
  }
}

void EventLog::Notify(LogChange change) {
  ++notifying_;
  for (size_t i = 0; i < listeners_.size(); ++i) {
    if (listeners_[i].first != 0) listeners_[i].second(change);
  }
  if (--notifying_ > 0) return;
  if (removedWhileNotifying_) {
    removedWhileNotifying_ = false;
    std::erase_if(listeners_, [](const auto& entry) { return entry.first == 0; });
  }
  if (!addedWhileNotifying_.empty()) {
    for (auto& entry : addedWhileNotifying_) {
      if (entry.first != 0) listeners_.push_back(std::move(entry));
    }
    addedWhileNotifying_.clear();
  }
}

size_t EventLog::ReservedBytes() const {
  size_t bytes = positionBlocks_.size() * kPositionsPerBlock * sizeof(uint64_t);
  for (const Chunk& c : chunks_) bytes += c.capacity;
  return bytes + chunks_.capacity() * sizeof(Chunk) +
         positionBlocks_.capacity() * sizeof(positionBlocks_[0]);
}

}  // namespace zqk
