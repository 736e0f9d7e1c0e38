#pragma once
// The console's traffic at a glance: requests in flight, the newest finished
// ones with the latency of each page, latency figures per code, and the
// registered feeds with their record rates. Fed by the dialog's handlers with
// what they have in hand (an RQID returned, an event's arguments), on the
// clock of agent time; it never asks the agent anything.

#include <cstdint>
#include <ctime>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zqk {

// How a request left the requests in flight.
enum class RequestEnd {
  kAnswered,  // its first reply arrived
  kRefused,   // a request message named its RQID
  kDropped,   // the agent was disconnected
  kNoAnswer,  // nothing came for kNoAnswerMs
};

struct InFlightRequest {
  int32_t rqId = 0;
  std::string code;
  int64_t sentMs = 0;         // agent time
  std::time_t sentClock = 0;  // wall clock, as the log's timestamps
  size_t pagesSoFar = 0;      // pages of the query that this one continues
};

// A request and the pages that answered it; a paged query and the requests
// that continue it (Yes to "continue?") are one request with several pages.
struct FinishedRequest {
  int32_t rqId = 0;  // the first request's
  std::string code;
  int64_t sentMs = 0;
  std::time_t sentClock = 0;
  RequestEnd end = RequestEnd::kAnswered;  // how its latest request ended
  // Per page: milliseconds from the press that asked for it to its reply.
  std::vector<int64_t> pageLatencyMs;
};

struct CodeActivity {
  std::string code;
  size_t requests = 0;  // requests sent with the code that have left the flight
  size_t refused = 0;
  size_t dropped = 0;
  size_t noAnswer = 0;
  size_t pages = 0;  // replies: the latencies below are theirs
  // Nearest-rank percentiles of the page latencies (ms); absent without pages.
  std::optional<int64_t> medianMs;
  std::optional<int64_t> p99Ms;
  std::optional<int64_t> maxMs;
};

struct QuoteFeedActivity {
  std::string key;
  int32_t realType = 0;
  uint64_t records = 0;
  // Records a second over the last whole seconds (up to five) since it was
  // registered; absent before its first whole second.
  std::optional<double> perSecond;
};

struct OrderFeedActivity {
  std::string account;
  uint64_t records = 0;
};

class ActivityTracker {
 public:
  static constexpr int64_t kNoAnswerMs = 30'000;
  static constexpr size_t kFinishedKept = 1'000;

  // A request went out (RqTest, Send Order) and the agent gave it `rqId`.
  // `continues` is the RQID of the reply whose next page it asks for.
  void RequestSent(int32_t rqId, std::string_view code, int64_t nowMs, std::time_t clock,
                   std::optional<int32_t> continues = std::nullopt);
  // The request's latency, from its press to its first reply; none for an
  // RQID the activity does not know.
  std::optional<int64_t> ReplyArrived(int32_t rqId, int64_t nowMs);
  void RequestMessage(int32_t rqId, int64_t nowMs);
  // The agent is gone: its requests and feeds with it.
  void Disconnected(int64_t nowMs);
  // Requests older than kNoAnswerMs leave the flight.
  void Expire(int64_t nowMs);

  void QuoteFeedAdded(std::string_view key, int32_t realType, int64_t nowMs);
  void QuoteFeedRemoved(std::string_view key, int32_t realType);
  void OrderFeedAdded(std::string_view account);
  void OrderFeedRemoved(std::string_view account);
  void RealData(std::string_view key, int32_t realType, int64_t nowMs);

  // Oldest first.
  std::vector<InFlightRequest> InFlight() const;
  // Newest first, at most kFinishedKept.
  const std::deque<FinishedRequest>& Finished() const { return finished_; }
  // By code.
  std::vector<CodeActivity> Codes() const;
  std::vector<QuoteFeedActivity> QuoteFeeds(int64_t nowMs) const;
  std::vector<OrderFeedActivity> OrderFeeds() const;

 private:
  struct Flight {
    InFlightRequest request;
    uint64_t serial = 0;  // of its FinishedRequest once answered; 0: a first request
  };
  struct CodeFigures {
    size_t requests = 0, refused = 0, dropped = 0, noAnswer = 0;
    std::vector<int64_t> latencies;
  };
  struct QuoteFeed {
    uint64_t records = 0;
    int64_t registeredMs = 0;
    // Records of the last whole seconds of agent time, by second % 6.
    int64_t second[6] = {-1, -1, -1, -1, -1, -1};
    uint64_t inSecond[6] = {};
  };
  // Feeds by key without its trailing blanks, as agents take it.
  using QuoteFeedMap = std::map<std::string, std::map<int32_t, QuoteFeed>, std::less<>>;

  void End(Flight flight, RequestEnd end, std::optional<int64_t> latencyMs);
  FinishedRequest* Kept(uint64_t serial);
  void AddPage(uint64_t serial, const std::string& code, int64_t latencyMs);

  // In flight by RQID; an RQID given twice is answered oldest first.
  std::multimap<int32_t, Flight> flights_;
  int64_t oldestSentMs_ = 0;
  std::deque<FinishedRequest> finished_;
  uint64_t newestSerial_ = 0;  // serial of finished_.front()
  // The RQIDs of answered requests still kept: a further reply to one is a
  // further page of it.
  struct Answered {
    uint64_t serial = 0;
    int64_t sentMs = 0;
    int64_t firstLatencyMs = 0;
  };
  std::unordered_map<int32_t, Answered> answered_;
  std::map<std::string, CodeFigures> codes_;
  QuoteFeedMap quoteFeeds_;
  std::map<std::string, uint64_t, std::less<>> orderFeeds_;
};

}  // namespace zqk
