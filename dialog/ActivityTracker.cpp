#include "dialog/ActivityTracker.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "text/Blanks.h"

namespace zqk {
namespace {

// The nearest-rank percentile `percent` of `values` (not empty); reorders them.
int64_t Percentile(std::vector<int64_t>& values, size_t percent) {
  const size_t rank = (values.size() * percent + 99) / 100;  // ceil, at least 1
  const auto at = values.begin() + static_cast<std::ptrdiff_t>(std::max<size_t>(rank, 1) - 1);
  std::nth_element(values.begin(), at, values.end());
  return *at;
}

}  // namespace

void ActivityTracker::RequestSent(int32_t rqId, std::string_view code, int64_t nowMs,
                                  std::time_t clock, std::optional<int32_t> continues) {
  Expire(nowMs);
  // An RQID of 0 or less is the agent refusing at once: nothing is on its way.
  if (rqId <= 0) return;
  Flight flight;
  flight.request = {rqId, std::string(code), nowMs, clock, 0};
  if (continues) {
    if (const auto it = answered_.find(*continues); it != answered_.end()) {
      flight.serial = it->second.serial;
      if (const FinishedRequest* kept = Kept(flight.serial)) {
        flight.request.pagesSoFar = kept->pageLatencyMs.size();
      }
    }
  }
  if (flights_.empty()) oldestSentMs_ = nowMs;
  flights_.emplace(rqId, std::move(flight));
}

std::optional<int64_t> ActivityTracker::ReplyArrived(int32_t rqId, int64_t nowMs) {
  Expire(nowMs);
  if (const auto it = flights_.find(rqId); it != flights_.end()) {
    Flight flight = std::move(it->second);
    flights_.erase(it);
    const int64_t latency = nowMs - flight.request.sentMs;
    End(std::move(flight), RequestEnd::kAnswered, latency);
    return latency;
  }
  // A further reply to an answered request: a further page of it.
  if (const auto it = answered_.find(rqId); it != answered_.end()) {
    if (const FinishedRequest* kept = Kept(it->second.serial)) {
      AddPage(it->second.serial, kept->code, nowMs - it->second.sentMs);
    }
    return it->second.firstLatencyMs;
  }
  return std::nullopt;
}

void ActivityTracker::RequestMessage(int32_t rqId, int64_t nowMs) {
  Expire(nowMs);
  if (const auto it = flights_.find(rqId); it != flights_.end()) {
    Flight flight = std::move(it->second);
    flights_.erase(it);
    End(std::move(flight), RequestEnd::kRefused, std::nullopt);
  }
}

void ActivityTracker::Disconnected(int64_t nowMs) {
  Expire(nowMs);
  std::vector<Flight> dropped;
  for (auto& [rqId, flight] : flights_) dropped.push_back(std::move(flight));
  flights_.clear();
  std::stable_sort(dropped.begin(), dropped.end(), [](const Flight& a, const Flight& b) {
    return a.request.sentMs < b.request.sentMs;
  });
  for (Flight& flight : dropped) End(std::move(flight), RequestEnd::kDropped, std::nullopt);
  // The next agent numbers its requests afresh.
  answered_.clear();
  quoteFeeds_.clear();
  orderFeeds_.clear();
}

void ActivityTracker::Expire(int64_t nowMs) {
  if (flights_.empty() || nowMs - oldestSentMs_ < kNoAnswerMs) return;
  std::vector<Flight> overdue;
  int64_t oldest = nowMs;
  for (auto it = flights_.begin(); it != flights_.end();) {
    if (nowMs - it->second.request.sentMs >= kNoAnswerMs) {
      overdue.push_back(std::move(it->second));
      it = flights_.erase(it);
    } else {
      oldest = std::min(oldest, it->second.request.sentMs);
      ++it;
    }
  }
  oldestSentMs_ = oldest;
  std::stable_sort(overdue.begin(), overdue.end(), [](const Flight& a, const Flight& b) {
    return a.request.sentMs < b.request.sentMs;
  });
  for (Flight& flight : overdue) End(std::move(flight), RequestEnd::kNoAnswer, std::nullopt);
}

void ActivityTracker::End(Flight flight, RequestEnd end, std::optional<int64_t> latencyMs) {
  InFlightRequest& r = flight.request;
  CodeFigures& figures = codes_[r.code];
  ++figures.requests;
  switch (end) {
    case RequestEnd::kAnswered:
      break;
    case RequestEnd::kRefused:
      ++figures.refused;
      break;
    case RequestEnd::kDropped:
      ++figures.dropped;
      break;
    case RequestEnd::kNoAnswer:
      ++figures.noAnswer;
      break;
  }
  uint64_t serial = flight.serial;
  if (serial == 0) {
    FinishedRequest done;
    done.rqId = r.rqId;
    done.code = r.code;
    done.sentMs = r.sentMs;
    done.sentClock = r.sentClock;
    finished_.push_front(std::move(done));
    serial = ++newestSerial_;
    if (finished_.size() > kFinishedKept) finished_.pop_back();
  }
  FinishedRequest* kept = Kept(serial);
  if (kept) kept->end = end;
  if (!latencyMs) return;
  // Only kept requests can take further pages.
  if (kept) answered_[r.rqId] = {serial, r.sentMs, *latencyMs};
  AddPage(serial, r.code, *latencyMs);
  if (answered_.size() > 2 * kFinishedKept) {
    std::erase_if(answered_, [this](const auto& entry) { return !Kept(entry.second.serial); });
  }
}

FinishedRequest* ActivityTracker::Kept(uint64_t serial) {
  if (serial == 0 || serial > newestSerial_) return nullptr;
  const uint64_t age = newestSerial_ - serial;
  return age < finished_.size() ? &finished_[static_cast<size_t>(age)] : nullptr;
}

void ActivityTracker::AddPage(uint64_t serial, const std::string& code, int64_t latencyMs) {
  if (FinishedRequest* kept = Kept(serial)) kept->pageLatencyMs.push_back(latencyMs);
  codes_[code].latencies.push_back(latencyMs);
}

void ActivityTracker::QuoteFeedAdded(std::string_view key, int32_t realType, int64_t nowMs) {
  auto outer = quoteFeeds_.find(TrimTrailingBlanks(key));
  if (outer == quoteFeeds_.end()) {
    outer =
        quoteFeeds_.emplace(std::string(TrimTrailingBlanks(key)), std::map<int32_t, QuoteFeed>())
            .first;
  }
  const auto [feed, added] = outer->second.try_emplace(realType);
  if (added) feed->second.registeredMs = nowMs;
}

void ActivityTracker::QuoteFeedRemoved(std::string_view key, int32_t realType) {
  const auto outer = quoteFeeds_.find(TrimTrailingBlanks(key));
  if (outer == quoteFeeds_.end()) return;
  outer->second.erase(realType);
  if (outer->second.empty()) quoteFeeds_.erase(outer);
}

void ActivityTracker::OrderFeedAdded(std::string_view account) {
  orderFeeds_.try_emplace(std::string(TrimTrailingBlanks(account)), 0);
}

void ActivityTracker::OrderFeedRemoved(std::string_view account) {
  if (const auto it = orderFeeds_.find(TrimTrailingBlanks(account)); it != orderFeeds_.end()) {
    orderFeeds_.erase(it);
  }
}

void ActivityTracker::RealData(std::string_view key, int32_t realType, int64_t nowMs) {
  const std::string_view trimmed = TrimTrailingBlanks(key);
  if (const auto outer = quoteFeeds_.find(trimmed); outer != quoteFeeds_.end()) {
    if (const auto it = outer->second.find(realType); it != outer->second.end()) {
      QuoteFeed& feed = it->second;
      ++feed.records;
      const int64_t second = nowMs / 1000;
      const size_t slot = static_cast<size_t>(second % 6);
      if (feed.second[slot] != second) {
        feed.second[slot] = second;
        feed.inSecond[slot] = 0;
      }
      ++feed.inSecond[slot];
      return;
    }
  }
  // An account's order feed delivers its records under the account number.
  if (const auto it = orderFeeds_.find(trimmed); it != orderFeeds_.end()) ++it->second;
}

std::vector<InFlightRequest> ActivityTracker::InFlight() const {
  std::vector<InFlightRequest> out;
  out.reserve(flights_.size());
  for (const auto& [rqId, flight] : flights_) out.push_back(flight.request);
  std::stable_sort(out.begin(), out.end(), [](const InFlightRequest& a, const InFlightRequest& b) {
    return a.sentMs < b.sentMs;
  });
  return out;
}

std::vector<CodeActivity> ActivityTracker::Codes() const {
  std::vector<CodeActivity> out;
  for (const auto& [code, figures] : codes_) {
    CodeActivity c;
    c.code = code;
    c.requests = figures.requests;
    c.refused = figures.refused;
    c.dropped = figures.dropped;
    c.noAnswer = figures.noAnswer;
    c.pages = figures.latencies.size();
    if (!figures.latencies.empty()) {
      std::vector<int64_t> values = figures.latencies;
      c.medianMs = Percentile(values, 50);
      c.p99Ms = Percentile(values, 99);
      c.maxMs = *std::max_element(values.begin(), values.end());
    }
    out.push_back(std::move(c));
  }
  return out;
}

std::vector<QuoteFeedActivity> ActivityTracker::QuoteFeeds(int64_t nowMs) const {
  std::vector<QuoteFeedActivity> out;
  const int64_t now = nowMs / 1000;
  for (const auto& [key, types] : quoteFeeds_) {
    for (const auto& [realType, feed] : types) {
      QuoteFeedActivity a{key, realType, feed.records, std::nullopt};
      // The whole seconds of the last five that began after the registration.
      uint64_t records = 0;
      int seconds = 0;
      for (int64_t s = now - 5; s < now; ++s) {
        if (s < 0 || s * 1000 < feed.registeredMs) continue;
        ++seconds;
        const size_t slot = static_cast<size_t>(s % 6);
        if (feed.second[slot] == s) records += feed.inSecond[slot];
      }
      if (seconds > 0) a.perSecond = static_cast<double>(records) / seconds;
      out.push_back(std::move(a));
    }
  }
  return out;
}

std::vector<OrderFeedActivity> ActivityTracker::OrderFeeds() const {
  std::vector<OrderFeedActivity> out;
  for (const auto& [account, records] : orderFeeds_) out.push_back({account, records});
  return out;
}

}  // namespace zqk
