#include "ui/EventLog.h"

#include <cstring>

namespace zqk {

EventLog::EventLog() = default;
EventLog::~EventLog() = default;

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
    Chunk chunk;
    chunk.capacity = line.size() > kChunkBytes ? line.size() : kChunkBytes;
    chunk.bytes = std::make_unique_for_overwrite<char[]>(chunk.capacity);
    chunks_.push_back(std::move(chunk));
  }
  Chunk& chunk = chunks_.back();
  if (!line.empty()) std::memcpy(chunk.bytes.get() + chunk.used, line.data(), line.size());
  if (count_ % kPositionsPerBlock == 0) {
    positionBlocks_.push_back(std::make_unique_for_overwrite<uint64_t[]>(kPositionsPerBlock));
  }
  positionBlocks_.back()[count_ % kPositionsPerBlock] =
      (static_cast<uint64_t>(chunks_.size() - 1) << 32) | chunk.used;
  chunk.used += line.size();
  ++count_;
  if (listener_) listener_(LogChange::kAppended);
}

void EventLog::Clear() {
  chunks_.clear();
  positionBlocks_.clear();
  count_ = 0;
  selected_.reset();
  if (listener_) listener_(LogChange::kCleared);
}

void EventLog::Select(std::optional<LineIndex> line) {
  if (line && line->value >= count_) line.reset();
  if (selected_ == line) return;
  selected_ = line;
  if (listener_) listener_(LogChange::kSelection);
}

size_t EventLog::ReservedBytes() const {
  size_t bytes = positionBlocks_.size() * kPositionsPerBlock * sizeof(uint64_t);
  for (const Chunk& c : chunks_) bytes += c.capacity;
  return bytes + chunks_.capacity() * sizeof(Chunk) +
         positionBlocks_.capacity() * sizeof(positionBlocks_[0]);
}

}  // namespace zqk
