#include "fuzz/support/CannedAgent.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

namespace zqk::fuzz {
namespace {

void ReadLine(std::string_view line, std::vector<CannedEvent>& events, size_t maxEvents) {
  if (line.empty()) return;
  const char tag = line[0];
  line.remove_prefix(line.size() >= 2 && line[1] == '\t' ? 2 : 1);
  if (tag == 'C' || tag == 'R') {
    if (events.size() == maxEvents) return;
    CannedEvent& e = events.emplace_back();
    const std::vector<std::string_view> f = SplitFields(line, 2);
    e.realTime = tag == 'R';
    e.code = f[0];
    if (e.realTime) e.realType = f.size() > 1 ? HeldInt32(f[1]) : 0;
    return;
  }
  if (events.empty()) return;
  CannedEvent& e = events.back();
  switch (tag) {
    case 'F': {
      const std::vector<std::string_view> f = SplitFields(line, 4);
      if (f.size() == 4) {
        e.fields[{std::string(f[0]), HeldInt32(f[1]), std::string(f[2])}] = f[3];
      }
      return;
    }
    case 'N': {
      const std::vector<std::string_view> f = SplitFields(line, 2);
      if (f.size() == 2) e.counts[std::string(f[0])] = HeldInt32(f[1]);
      return;
    }
    case 'B':
    case 'W':
      e.block = line;
      e.wholeBlock = tag == 'W';
      return;
    case 'L':
      e.lastData = std::string(line);
      return;
    case 'K':
      e.nextKey = line;
      return;
    case 'V':
      e.formatted.emplace_back(line);
      return;
    case 'A':
      e.answers.push_back(line == "yes");
      return;
    case 'E':
      e.korean = false;
      return;
    default:
      return;
  }
}

}  // namespace

std::vector<std::string_view> SplitFields(std::string_view line, size_t count) {
  std::vector<std::string_view> fields;
  while (fields.size() + 1 < count) {
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) break;
    fields.push_back(line.substr(0, tab));
    line.remove_prefix(tab + 1);
  }
  fields.push_back(line);
  return fields;
}

int32_t HeldInt32(std::string_view text) {
  int64_t value = 0;
  const bool negative = !text.empty() && text[0] == '-';
  for (size_t i = negative ? 1 : 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{1} << 32) break;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

std::vector<CannedEvent> ParseCannedEvents(std::string_view input, size_t maxEvents) {
  std::vector<CannedEvent> events;
  while (!input.empty()) {
    const size_t end = input.find('\n');
    ReadLine(input.substr(0, end), events, maxEvents);
    if (end == std::string_view::npos) break;
    input.remove_prefix(end + 1);
  }
  return events;
}

int32_t CannedAgent::GetRepeatCount(std::string_view, int32_t, std::string_view recordName) {
  const auto it = event_->counts.find(std::string(recordName));
  return it == event_->counts.end() ? 0 : it->second;
}

std::string CannedAgent::GetFieldValue(std::string_view, int32_t, std::string_view recordName,
                                       int32_t row, std::string_view fieldName) {
  const auto it = event_->fields.find({std::string(recordName), row, std::string(fieldName)});
  return it == event_->fields.end() ? std::string() : it->second;
}

std::string CannedAgent::GetDataBlock(std::string_view, int32_t, int32_t offset, int32_t length,
                                      int32_t, std::string_view) {
  if (event_->wholeBlock) return event_->block;
  // As an agent answers: the part of its data that was asked for, as far as
  // the data goes.
  if (offset < 0 || length <= 0 || static_cast<size_t>(offset) >= event_->block.size()) return {};
  return event_->block.substr(static_cast<size_t>(offset), static_cast<size_t>(length));
}

std::string CannedAgent::GetLastData() {
  return event_->lastData ? *event_->lastData : event_->block;
}

std::string CannedAgent::GetNextKey(int32_t, std::string_view) {
  return event_->nextKey;
}

std::string CannedAgent::FormatValue(std::string_view, std::string_view value, int32_t) {
  if (formatted_ < event_->formatted.size()) return event_->formatted[formatted_++];
  return std::string(value);
}

void CheckedOutput::Log(std::string_view) {
  ++lines_;
}

bool CheckedOutput::AskYesNo(std::string_view, std::string_view) {
  return answered_ < event_->answers.size() && event_->answers[answered_++];
}

void CheckedOutput::ContinueQuery(std::string nextKey) {
  // The dialog sends the key it was given: a question is only asked, and
  // answered Yes, for a key the agent gave.
  Check(!nextKey.empty() && nextKey == event_->nextKey, "a query continued without its key");
}

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace zqk::fuzz
