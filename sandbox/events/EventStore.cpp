#include "sandbox/events/EventStore.h"

#include <algorithm>
#include <limits>

namespace zqk::sandbox {

void EventStore::PutReply(std::string_view code, int32_t rqId,
                          std::shared_ptr<const EventData> data) {
  if (!data) data = std::make_shared<EventData>();
  nextKeys_[rqId] = data->nextKey;
  while (nextKeys_.size() > kKeptKeys) nextKeys_.erase(nextKeys_.begin());
  last_ = data;
  Put(code, kReplyType, std::move(data));
}

void EventStore::PutReal(std::string_view key, int32_t realType,
                         std::shared_ptr<const EventData> data) {
  if (!data) data = std::make_shared<EventData>();
  last_ = data;
  std::string& lastKey = lastKeyOfType_[realType];
  if (lastKey != key) lastKey = key;
  Put(key, realType, std::move(data));
}

void EventStore::Put(std::string_view code, int32_t realType,
                     std::shared_ptr<const EventData> data) {
  if (auto it = data_.find(Slot{code, realType}); it != data_.end()) {
    it->second = std::move(data);
  } else {
    data_.emplace(std::pair<std::string, int32_t>(code, realType), std::move(data));
  }
}

size_t EventStore::SlotHash::operator()(const Slot& s) const {
  return std::hash<std::string_view>()(s.code) ^
         (static_cast<size_t>(static_cast<uint32_t>(s.realType)) * 0x9E3779B97F4A7C15ull);
}

void EventStore::Clear() {
  data_.clear();
  lastKeyOfType_.clear();
  nextKeys_.clear();
  last_.reset();
}

const EventData* EventStore::Find(std::string_view code, int32_t realType) const {
  if (auto it = data_.find(Slot{code, realType}); it != data_.end()) return it->second.get();
  if (realType == kReplyType) return nullptr;
  auto key = lastKeyOfType_.find(realType);
  if (key == lastKeyOfType_.end()) return nullptr;
  auto it = data_.find(Slot{key->second, realType});
  return it == data_.end() ? nullptr : it->second.get();
}

int32_t EventStore::RepeatCount(std::string_view code, int32_t realType,
                                std::string_view record) const {
  const EventData* d = Find(code, realType);
  if (!d) return 0;
  auto rows = d->records.find(record);
  if (rows == d->records.end()) return 0;
  const size_t n = rows->second.size();
  return n > static_cast<size_t>(std::numeric_limits<int32_t>::max())
             ? std::numeric_limits<int32_t>::max()
             : static_cast<int32_t>(n);
}

std::string EventStore::FieldValue(std::string_view code, int32_t realType, std::string_view record,
                                   int32_t row, std::string_view field) const {
  const EventData* d = Find(code, realType);
  if (!d || row < 0) return {};
  auto rows = d->records.find(record);
  if (rows == d->records.end() || static_cast<size_t>(row) >= rows->second.size()) return {};
  const EventData::Row& r = rows->second[static_cast<size_t>(row)];
  auto value = r.find(field);
  return value == r.end() ? std::string() : value->second;
}

std::string EventStore::DataBlock(std::string_view code, int32_t realType, int32_t offset,
                                  int32_t length) const {
  const EventData* d = Find(code, realType);
  if (!d || offset < 0 || length <= 0) return {};
  const size_t at = static_cast<size_t>(offset);
  if (at >= d->block.size()) return {};
  // No offset + length: that may overflow near INT_MAX.
  return d->block.substr(at, std::min(static_cast<size_t>(length), d->block.size() - at));
}

std::string EventStore::LastData() const {
  if (!last_) return {};
  return last_->lastData ? *last_->lastData : last_->block;
}

std::string EventStore::NextKey(int32_t rqId) const {
  auto it = nextKeys_.find(rqId);
  return it == nextKeys_.end() ? std::string() : it->second;
}

}  // namespace zqk::sandbox
