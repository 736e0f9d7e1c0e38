// The sandbox's orders while more and more of them rest: the cost of one
// order (new, amend or cancel, its reply and its order-feed records, and the
// market step that passes before the next one) should not grow with the
// number of orders resting in the book. Orders go through the wrapper and
// the component ABI into the sandbox agent, with the accounts' order feeds
// registered and 100 ms (one market step) of agent time between orders; the
// orders rest away from the market (limits below and above it, stops that the
// market does not reach). The accounts' seeded resting orders count too.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>

#include "agent/CZQKCommAgent.h"
#include "agent/VirtualUiThread.h"
#include "agent/abi/ComponentRegistry.h"
#include "agent/abi/DispatchIds.h"
#include "bench/BenchSupport.h"
#include "dialog/ControlId.h"
#include "protocol/FieldNames.h"
#include "protocol/Layout.h"
#include "protocol/OrderLayouts.h"
#include "protocol/RealTypes.h"
#include "protocol/TrCodes.h"
#include "requests/OrderComposer.h"

namespace zqk {
namespace {

constexpr int32_t kOpenListType = real::kOpenOrderList;
constexpr int32_t kFillTypes[] = {real::kDomesticFill, real::kForeignFill};
constexpr uint32_t kStepMs = 100;
constexpr size_t kBlock = 10'000;

// What the agent says back: the reply of the order just sent, and a tally of
// the order feed.
class OrderSink : public AgentEventSink {
 public:
  int32_t OnAgentEvent(int32_t dispid, std::span<const zqk_value> args) override {
    if (dispid == static_cast<int32_t>(EventDispid::kOnTrReply) && agent) {
      const std::string code(args[0].str, args[0].len);
      accepted =
          agent->GetFieldValue(code, -1, protocol::kOutRec1, 0, field::kProcessCode) == "0000";
      number = agent->GetFieldValue(code, -1, protocol::kOutRec1, 0, field::kOrderNumber);
    } else if (dispid == static_cast<int32_t>(EventDispid::kOnRealData)) {
      if (args[1].i4 == kOpenListType) ++openListed;
      for (const int32_t type : kFillTypes) fills += args[1].i4 == type;
    }
    return ZQK_OK;
  }

  CZQKCommAgent* agent = nullptr;
  bool accepted = false;
  std::string number;
  int64_t openListed = 0;
  int64_t fills = 0;
};

std::string Price(int64_t hundredths) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(hundredths / 100),
                static_cast<long long>(hundredths % 100));
  return text;
}

// An order of ours: where it was sent, its number, side and type.
struct Resting {
  size_t desk = 0;
  std::string number;
  std::string side;  // "1" buy, "2" sell
  std::string type;  // "1" limit, "3" stop
};

// An account and a product to order, the codes of its market, and the
// prices, in hundredths, from which its orders rest away from the market
// (limit buys, limit sells, buy stops, sell stops), one tick apart.
struct Desk {
  std::string_view account;
  std::string_view product;
  std::string_view codes[3];  // new, amend, cancel
  int64_t from[4];
  int64_t tick;
};

// The record of an order of `d` sent under `code`, as the order composer
// writes it by the code's layout, ending before the user field.
std::string Record(const Desk& d, const Resting& o, const std::string& price,
                   std::string_view code) {
  // Whole strings, not literals: g++ 12 at -O3 takes a short literal
  // assigned to a string for an overlapping copy (-Wrestrict).
  const std::string one(1, '1');
  OrderFormValues v;
  v.account = d.account;
  v.password = std::string("6042");
  v.product = d.product;
  v.buySell = o.side;
  v.priceType = o.type;
  v.fillCondition = one;
  v.price = price;
  v.quantity = one;
  v.origOrderNo = o.number;
  v.strategy = one;
  const protocol::OrderLayout& layout = *protocol::FindOrderLayout(code);
  return ComposeRecord(v, layout).substr(0, *layout.OffsetOf(OrderField::kUserField));
}

// Near 250.00 and 2170.00 in the samples' era.
const Desk kDesks[] = {
    {"06801004",
     "101G3000",
     {tr::kDomesticNewOrder, tr::kDomesticAmendOrder, tr::kDomesticCancelOrder},
     {15'000, 30'000, 0, 0},
     5},
    {"015872",
     "ESZ16",
     {tr::kOverseasNewOrder, tr::kOverseasAmendOrder, tr::kOverseasCancelOrder},
     {100'000, 300'000, 400'000, 50'000},
     25},
};

std::string RestingPrice(const Desk& d, const Resting& o, std::mt19937& random) {
  const size_t band = (o.side == "1" ? 0 : 1) + (o.type == "3" ? 2 : 0);
  return Price(d.from[band] + d.tick * static_cast<int64_t>(random() % 1000));
}

// Seven in ten orders domestic limits, the rest overseas limits and stops.
Resting NewKind(std::mt19937& random) {
  const uint32_t n = random() % 10;
  Resting o;
  o.desk = n < 7 ? 0 : 1;
  o.side = random() % 2 ? "1" : "2";
  o.type = o.desk == 1 && n == 9 ? "3" : "1";
  return o;
}

std::filesystem::path TempDir() {
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("zqk-bench-resting-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

void BM_OrdersWhileOrdersRest(benchmark::State& state) {
  const int64_t target = state.range(0);
  const std::filesystem::path dir = TempDir();
  std::ofstream(dir / "sandbox.json") << R"({"replyLatencyMs": 0, "replyJitterMs": 0})";
  ::setenv("ZQK_SANDBOX_SETTINGS", (dir / "sandbox.json").c_str(), 1);
  const std::filesystem::path registry = dir / "components";
  RegisterComponent(registry, kAgentClassId, ZQK_SANDBOX_AGENT, nullptr);

  for (auto _ : state) {
    VirtualUiThread ui;
    OrderSink sink;
    CZQKCommAgent agent(ui, sink, registry);
    sink.agent = &agent;
    if (!agent.Create("ZQK CommAgent", CZQKCommAgent::kChildStyle, id::kAgentControl.value)) {
      state.SkipWithError(agent.LastCreateError().c_str());
      break;
    }
    agent.StartComm(1);
    agent.Login("demo", "demo1234", "cert1234");
    for (const Desk& d : kDesks) agent.AddOrderReal("demo", d.account);
    ui.Advance(kStepMs);
    const int64_t seeded = sink.openListed;

    std::mt19937 random(7);
    std::vector<Resting> ours;
    int64_t resting = seeded;
    int64_t sent = 0;
    int64_t refused = 0;
    std::vector<double> sentAt = {bench::ThreadCpuSeconds()};  // CPU time after each order
    while (resting < target) {
      const int kind = static_cast<int>(sent % 10);
      const size_t at = ours.empty() ? 0 : random() % ours.size();
      Resting order;
      std::string record;
      int action = 0;                    // new, amend, cancel
      if (kind == 8 && !ours.empty()) {  // to another price where it still rests
        action = 1;
        order = ours[at];
        const Desk& d = kDesks[order.desk];
        record = Record(d, order, RestingPrice(d, order, random), d.codes[action]);
      } else if (kind == 9 && !ours.empty()) {
        action = 2;
        order = ours[at];
        record = Record(kDesks[order.desk], order, "", kDesks[order.desk].codes[action]);
      } else {
        order = NewKind(random);
        const Desk& d = kDesks[order.desk];
        record = Record(d, order, RestingPrice(d, order, random), d.codes[action]);
      }
      const std::string_view code = kDesks[order.desk].codes[action];
      sink.accepted = false;
      agent.SendOrder(code, record);
      ui.Advance(kStepMs);
      ++sent;
      if (!sink.accepted) {
        ++refused;
      } else if (action == 0) {
        order.number = sink.number;
        ours.push_back(order);
        ++resting;
      } else if (action == 1) {
        ours[at].number = sink.number;
      } else {
        ours[at] = ours.back();
        ours.pop_back();
        --resting;
      }
      sentAt.push_back(bench::ThreadCpuSeconds());
    }
    agent.DestroyWindow();

    if (sentAt.size() > 2 * kBlock) {
      const double first = static_cast<double>(kBlock) / (sentAt[kBlock] - sentAt[0]);
      const double last =
          static_cast<double>(kBlock) / (sentAt.back() - sentAt[sentAt.size() - 1 - kBlock]);
      state.counters["first_10k_orders_per_s"] = first;
      state.counters["last_10k_orders_per_s"] = last;
      state.counters["last_vs_first_pct"] = 100.0 * (last - first) / first;
    }
    state.counters["orders_sent"] = static_cast<double>(sent);
    state.counters["resting"] = static_cast<double>(resting);
    state.counters["seeded_resting"] = static_cast<double>(seeded);
    state.counters["refused"] = static_cast<double>(refused);
    state.counters["fills"] = static_cast<double>(sink.fills);
  }
  ::unsetenv("ZQK_SANDBOX_SETTINGS");
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_OrdersWhileOrdersRest)
    ->Arg(20'000)
    ->Arg(100'000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace zqk

BENCHMARK_MAIN();
