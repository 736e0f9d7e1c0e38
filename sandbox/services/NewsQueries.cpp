// Market news: an item every 20 minutes of the agent's clock, about one of a
// few products, written from the market's own prices at that moment. Its ID
// is the moment, YYYYMMDDHHMM. News reaches back to the start of the day
// before today.
#include <QDateTime>
#include <array>
#include <cstdio>

#include "protocol/FieldNames.h"
#include "sandbox/broker/Broker.h"
#include "sandbox/events/FieldText.h"
#include "sandbox/market/SeededHash.h"
#include "sandbox/services/QueryInput.h"
#include "sandbox/services/QueryServices.h"

namespace zqk::sandbox::services {
namespace {

using market::Product;

namespace f = field;

constexpr int64_t kSlotMs = 20 * 60'000;
constexpr std::string_view kProvider = "샌드박스뉴스";
constexpr std::array<std::string_view, 10> kSubjects = {"ESU16",   "NQU16",  "CLV16",   "GCZ16",
                                                        "6EU16",   "HSIU16", "FDAXU16", "KOSPI200",
                                                        "EUR/USD", "USD/JPY"};

struct NewsItem {
  int64_t atMs = 0;  // agent time
  std::string id;
  std::string date;
  std::string time;
  std::string category;
  std::string title;
  std::string body;
};

std::string CategoryOf(const Product& p) {
  switch (p.market) {
    case Market::kDomestic:
      return p.kind == market::ProductKind::kIndex ? "지수" : "국내선물옵션";
    case Market::kOverseas:
      return "해외선물";
    case Market::kFxMargin:
      return "FX";
  }
  return {};
}

// The slots, in agent time: aligned on the local clock's 20 minutes.
int64_t SlotAtOrBefore(QueryContext& q, int64_t agentMs) {
  const int64_t day = q.broker.market.clock().DayStart(agentMs);
  return day + (agentMs - day) / kSlotMs * kSlotMs;
}

int64_t OldestSlot(QueryContext& q) {
  const market::MarketClock& clock = q.broker.market.clock();
  return clock.DayStart(clock.DayStart(q.now) - 1);
}

NewsItem ItemAt(QueryContext& q, int64_t slotMs) {
  market::SimulatedMarket& m = q.broker.market;
  const market::LocalTime at = m.clock().Local(slotMs);
  const uint64_t h = market::Hash(m.seed(), static_cast<uint64_t>(at.date), at.time, 0x4E57);
  const Product& p = *m.products().Find(kSubjects[h % kSubjects.size()]);
  const market::Glance g = m.GlanceAt(p, slotMs);
  const std::vector<market::Bar> recent = m.Bars(p, 900, slotMs - 1, 1);  // the quarter before
  const char* move = g.last > g.prevClose ? "상승" : g.last < g.prevClose ? "하락" : "보합";

  NewsItem item;
  item.atMs = slotMs;
  item.date = Ymd(at.date);
  item.time = Hms(at.time);
  item.id = item.date + item.time.substr(0, 4);
  item.category = CategoryOf(p);
  item.title = "[" + item.category + "] " + p.name + " " + Price(p, g.last) + ", 전일 대비 " +
               ChangeRate(g.last, g.prevClose) + "% " + move;
  std::string body = p.name + "(" + p.code + ")이 " + item.time.substr(0, 2) + "시 " +
                     item.time.substr(2, 2) + "분 현재 " + Price(p, g.last) +
                     "에 거래되고 있다.\r\n";
  body += "전일 종가 " + Price(p, g.prevClose) + " 대비 " + ChangeRate(g.last, g.prevClose) + "% " +
          move + "한 수준이다.\r\n";
  if (!recent.empty()) {
    body += "직전 15분간 고가는 " + Price(p, recent.front().high) + ", 저가는 " +
            Price(p, recent.front().low) + "이다.\r\n";
  }
  body += "(샌드박스 모의 시황: 실제 시장과 관계없는 가상 자료입니다)\r\n";
  item.body = std::move(body);
  return item;
}

// The item whose ID is `id`; refuses an ID of the wrong form, one to come,
// and one older than the news reaches.
NewsItem ItemById(QueryContext& q, std::string_view id, const Message& unknown) {
  const QDateTime t =
      QDateTime::fromString(QString::fromLatin1(id.data(), static_cast<qsizetype>(id.size())),
                            QStringLiteral("yyyyMMddHHmm"));
  if (id.size() != 12 || !t.isValid()) {
    throw Refused(kMsgBadInput, std::string(f::kNewsId) + " " + std::string(id));
  }
  const int64_t at = q.broker.market.clock().AgentMs(t.toMSecsSinceEpoch());
  if (at > q.now || at < OldestSlot(q) || SlotAtOrBefore(q, at) != at) {
    throw Refused(unknown, std::string(id));
  }
  return ItemAt(q, at);
}

}  // namespace

EventData NewsTitles(QueryContext& q) {
  // Titles a page. Newest first; the continuation key is the ID of the next
  // item.
  const QueryInput in(q);
  const int32_t count = in.Number(f::kCount);
  int64_t slot = SlotAtOrBefore(q, q.now);
  if (!q.request.nextKey.empty()) slot = ItemById(q, q.request.nextKey, kMsgBadNextKey).atMs;
  const int64_t oldest = OldestSlot(q);
  EventData d;
  for (int32_t i = 0; i < count && slot >= oldest; ++i, slot -= kSlotMs) {
    const NewsItem item = ItemAt(q, slot);
    AddReplyRow(d, q)
        .Set(f::kNewsId, item.id)
        .Set(f::kTitle, item.title)
        .Set(f::kDate, item.date)
        .Set(f::kTime, item.time)
        .Set(f::kCategory, item.category)
        .Set(f::kProvider, kProvider);
  }
  if (slot >= oldest) d.nextKey = ItemAt(q, slot).id;
  return d;
}

EventData NewsBody(QueryContext& q) {
  // The news ID (blank: the newest item). The raw data is a header (ID,
  // date, time, provider, category, title) and the body; 전체사이즈 is the
  // body's size.
  const QueryInput in(q);
  const std::string_view id = in.Text(f::kNewsId);
  const NewsItem item =
      id.empty() ? ItemAt(q, SlotAtOrBefore(q, q.now)) : ItemById(q, id, kMsgUnknownNews);
  EventData d;
  LayoutRow row = AddReplyRow(d, q);
  row.Set(f::kTotalSize, Number(static_cast<int64_t>(item.body.size())))
      .Set(f::kNewsId, item.id)
      .Set(f::kTitle, item.title)
      .Set(f::kDate, item.date)
      .Set(f::kTime, item.time);
  d.block = LayoutBlockRow(q.reply.block->header)
                .SetFrom(row.row())
                .Set(f::kProvider, kProvider)
                .Set(f::kCategory, item.category)
                .text() +
            item.body;
  return d;
}

}  // namespace zqk::sandbox::services
