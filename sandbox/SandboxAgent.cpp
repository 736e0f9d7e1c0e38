#include "sandbox/SandboxAgent.h"

#include <QDateTime>
#include <limits>
#include <memory>

#include "protocol/QueryInputs.h"
#include "protocol/Replies.h"
#include "sandbox/market/BusinessCalendar.h"
#include "sandbox/market/PriceFormat.h"
#include "text/Cp949.h"

namespace zqk::sandbox {
namespace {

constexpr std::string_view kLogName = "ZQKCommAgent";
constexpr std::string_view kVersion = "1.0.0";

std::string MarketName(Market m) {
  switch (m) {
    case Market::kDomestic:
      return "국내";
    case Market::kOverseas:
      return "해외";
    case Market::kFxMargin:
      return "FX";
  }
  return {};
}

// The code, and for a code of the broker's that another operation serves,
// which one: a trader who sent the overseas price query by RequestTr learns
// to send it by RequestFid.
std::string UnknownCodeDetail(std::string_view code) {
  std::string detail(code);
  if (const protocol::CodeInfo* known = protocol::FindCode(code)) {
    detail.append(": ").append(protocol::OperationName(known->operation)).append("로 요청하십시오");
  }
  return detail;
}

// "2016-09-01T09:00:00", local time.
std::string LocalMoment(int64_t epochSecs) {
  return QDateTime::fromSecsSinceEpoch(epochSecs).toString(Qt::ISODate).toStdString();
}

}  // namespace

SandboxAgent::SandboxAgent(kit::Host& host, LoadedSettings settings, std::string settingsPath)
    : loaded_(std::move(settings)),
      settingsPath_(std::move(settingsPath)),
      broker_(host, loaded_.settings),
      feeds_(broker_),
      orders_(broker_, feeds_),
      masterFiles_(broker_) {
  if (loaded_.error) kit::LogLine(kLogName, "settings ignored: " + *loaded_.error);
}

kit::Result SandboxAgent::Invoke(int32_t dispid, const kit::Args& a) {
  using R = kit::Result;
  using enum ServiceKind;
  const EventStore& store = broker_.store;
  switch (static_cast<Dispid>(dispid)) {
    case Dispid::kStartComm:
      return R::Long(StartComm(a.Long(0)));
    case Dispid::kStopComm:
      StopComm();
      return R::None();
    case Dispid::kLogin:
      return R::Long(Login(a.Str(0), a.Str(1), a.Str(2)));
    case Dispid::kLogout:
      return R::Long(Logout(a.Str(0)));
    case Dispid::kRequestTr:
      return R::Long(Request({kTrQuery, a.Str(0), a.Str(1), {}, a.Str(3)}, a.Long(2)));
    case Dispid::kRequestFid:
      return R::Long(Request({kFidQuery, a.Str(0), a.Str(1), a.Str(2), a.Str(4)}, a.Long(3)));
    case Dispid::kSendOrder:
      return R::Long(Request({kOrder, a.Str(0), a.Str(1), {}, {}}, std::nullopt));
    case Dispid::kAddReal:
      return R::Long(feeds_.AddReal(a.Str(0), a.Long(1)));
    case Dispid::kRemoveReal:
      return R::Long(feeds_.RemoveReal(a.Str(0), a.Long(1)));
    case Dispid::kAddOrderReal: {
      const int32_t result = feeds_.AddOrderReal(a.Str(0), a.Str(1));
      if (result == 0) orders_.SendOpenOrders(a.Str(1));
      return R::Long(result);
    }
    case Dispid::kRemoveOrderReal:
      return R::Long(feeds_.RemoveOrderReal(a.Str(0), a.Str(1)));
    case Dispid::kGetCommState:
      return R::Long(broker_.commState);
    case Dispid::kGetAccountText:
      return R::String(GetAccountText(a.Str(0)));
    case Dispid::kGetBusinessDay:
      return R::String(GetBusinessDay(a.Long(0)));
    case Dispid::kGetInfo:
      return R::String(GetInfo(a.Str(0), a.Str(1)));
    case Dispid::kRequestMasterFile:
      // The option (0) changes nothing here.
      masterFiles_.Request(a.Str(0), NextRqId());
      return R::None();
    case Dispid::kGetRepeatCount:
      return R::Long(store.RepeatCount(a.Str(0), a.Long(1), a.Str(2)));
    case Dispid::kGetFieldValue:
      return R::String(store.FieldValue(a.Str(0), a.Long(1), a.Str(2), a.Long(3), a.Str(4)));
    case Dispid::kGetDataBlock:
      // The reserved argument and the mode ("A") change nothing here.
      return R::String(store.DataBlock(a.Str(0), a.Long(1), a.Long(2), a.Long(3)));
    case Dispid::kGetLastData:
      return R::String(store.LastData());
    case Dispid::kGetNextKey:
      return R::String(store.NextKey(a.Long(0)));
    case Dispid::kFormatValue:
      return R::String(FormatValue(a.Str(0), a.Str(1), a.Long(2)));
  }
  // The kit lets through only the dispatch IDs of the interface.
  return R::None();
}

int32_t SandboxAgent::StartComm(int32_t mode) {
  if (mode != 1) {
    broker_.poster.AgentMessage(kMsgBadMode, std::to_string(mode));
    return kMsgBadMode.code;
  }
  if (broker_.commState == Broker::kConnected) return 0;
  broker_.commState = Broker::kConnected;
  orders_.Connected();
  broker_.poster.AgentMessage(kMsgConnected);
  if (loaded_.error) {
    broker_.poster.AgentMessage(kMsgSettingsError, Utf8ToCp949(*loaded_.error));
  }
  return 0;
}

void SandboxAgent::StopComm() {
  // Whatever was on its way dies with the connection: replies, messages,
  // feeds, and the data of delivered events.
  broker_.poster.CancelAll();
  orders_.Disconnected();
  broker_.store.Clear();
  broker_.commState = Broker::kDisconnected;
  EndSession();
}

void SandboxAgent::EndSession() {
  broker_.user = nullptr;
  feeds_.Clear();
}

int32_t SandboxAgent::Login(std::string_view userId, std::string_view password,
                            std::string_view cert) {
  const Message* refusal = nullptr;
  const User* user = loaded_.settings.FindUser(userId);
  if (broker_.commState != Broker::kConnected) {
    refusal = &kMsgNotConnected;
  } else if (!user) {
    refusal = &kMsgUnknownUser;
  } else if (user->password != password) {
    refusal = &kMsgWrongPassword;
  } else if (user->certPassword != cert) {
    refusal = &kMsgWrongCertPassword;
  }
  if (refusal) {
    broker_.poster.AgentMessage(*refusal);
    return refusal->code;
  }
  if (broker_.user != user) EndSession();
  broker_.user = user;
  orders_.SignedIn(*user);
  broker_.poster.AgentMessage(kMsgLoggedIn, user->id);
  return 1;
}

int32_t SandboxAgent::Logout(std::string_view userId) {
  const Message* refusal = broker_.SessionProblem();
  if (!refusal && broker_.user->id != userId) refusal = &kMsgOtherUser;
  if (refusal) {
    broker_.poster.AgentMessage(*refusal);
    return refusal->code;
  }
  broker_.poster.AgentMessage(kMsgLoggedOut, broker_.user->id);
  EndSession();
  return 1;
}

int32_t SandboxAgent::Request(const QueryRequest& asked, std::optional<int32_t> inputLength) {
  QueryRequest request = asked;
  request.rqId = NextRqId();
  const protocol::CodeInfo* code = protocol::FindCode(request.code);
  const ServiceEntry* service = FindService(request.code);
  EventPoster& poster = broker_.poster;
  if (const Message* refusal = broker_.SessionProblem()) {
    poster.RequestMessage(request.rqId, *refusal);
  } else if (!code || code->operation != request.kind ||
             (request.kind != ServiceKind::kOrder && !service)) {
    poster.RequestMessage(request.rqId, kMsgUnknownTrCode, UnknownCodeDetail(request.code));
  } else if (inputLength &&
             (*inputLength < 0 || static_cast<size_t>(*inputLength) != request.input.size())) {
    poster.RequestMessage(
        request.rqId, kMsgBadInputLength,
        std::to_string(*inputLength) + "/" + std::to_string(request.input.size()));
  } else if (request.kind == ServiceKind::kOrder) {
    orders_.Send(request.rqId, request.code, request.input);
  } else {
    QueryContext query{broker_,
                       request,
                       *broker_.user,
                       broker_.Now(),
                       *protocol::InputLayoutOf(request.code),
                       protocol::ReplyOf(request.code)};
    try {
      auto data = std::make_shared<const EventData>(service->handler(query));
      if (query.notice) poster.RequestMessage(request.rqId, *query.notice);
      poster.Reply(request.code, request.rqId, std::move(data));
    } catch (const Refused& r) {
      poster.RequestMessage(request.rqId, r.message, r.detail);
    }
  }
  return request.rqId;
}

std::string SandboxAgent::GetAccountText(std::string_view account) {
  // The password field that account-bearing TR inputs carry right after the
  // account number; only for the signed-in user's accounts.
  const market::AccountBook* book = broker_.UserAccount(account);
  if (!book) return {};
  std::string text = book->account().password;
  text.resize(protocol::AccountTextWidth(), ' ');
  return text;
}

std::string SandboxAgent::FormatValue(std::string_view code, std::string_view value,
                                      int32_t kind) const {
  const market::Product* p = broker_.market.products().Find(code);
  return p ? market::FormatValue(*p, value, kind) : std::string(value);
}

std::string SandboxAgent::GetBusinessDay(int32_t kind) const {
  // 3: domestic, 1: overseas, each on its own calendar.
  const Settings& s = loaded_.settings;
  std::optional<market::BusinessCalendar> calendar;
  if (kind == 3) calendar.emplace(s.holidays, false);
  if (kind == 1) calendar.emplace(s.overseasHolidays, true);
  if (!calendar) return {};
  return std::to_string(calendar->OnOrAfter(broker_.market.clock().Local(broker_.Now()).date));
}

std::string SandboxAgent::GetInfo(std::string_view name, std::string_view option) const {
  const bool detailed = option == "1";
  if (name == "시스템구분") {
    return detailed ? "모의투자 (ZQKCommAgent 샌드박스: 가상 시장, 네트워크 통신 없음)"
                    : "모의투자";
  }
  if (name == "버전") {
    return detailed ? "ZQKCommAgent 샌드박스 " + std::string(kVersion) : std::string(kVersion);
  }
  if (name == "통신상태") {
    if (!detailed) return std::to_string(broker_.commState);
    return broker_.commState == Broker::kConnected ? "1 (연결됨)" : "0 (연결 안 됨)";
  }
  if (name == "사용자ID") {
    if (!broker_.user) return {};
    return detailed ? broker_.user->id + " (" + broker_.user->name + ")" : broker_.user->id;
  }
  if (name == "계좌목록") {
    if (!broker_.user) return {};
    std::string list;
    for (const Account& a : broker_.user->accounts) {
      if (!list.empty()) list += ';';
      list += a.number;
      // Appended piece by piece: g++ 12 at -O3 misreads `" " + string` as
      // an overlapping copy (-Wrestrict).
      if (detailed) list.append(" ").append(MarketName(a.market)).append(" ").append(a.name);
    }
    return list;
  }
  if (name == "설정") {
    const Settings& s = loaded_.settings;
    std::string text = "seed=" + std::to_string(s.seed) +
                       " latency=" + std::to_string(s.replyLatencyMs) + "ms" +
                       " jitter=" + std::to_string(s.replyJitterMs) + "ms" +
                       " tick=" + std::to_string(s.tickRate) + "/s";
    // The clock's start as configured; the detailed text also gives the moment
    // the wall clock said.
    text.append(" start=").append(s.clockStart ? LocalMoment(*s.clockStart) : "now");
    if (detailed && !s.clockStart) {
      const market::MarketClock& clock = broker_.market.clock();
      text.append("(")
          .append(LocalMoment(clock.EpochMs(clock.agentMsAtStart()) / 1000))
          .append(")");
    }
    if (detailed) {
      text += loaded_.fromFile ? " file=" + Utf8ToCp949(settingsPath_) : " file=(기본값)";
    }
    return text;
  }
  return {};
}

int32_t SandboxAgent::NextRqId() {
  lastRqId_ = lastRqId_ == std::numeric_limits<int32_t>::max() ? 1 : lastRqId_ + 1;
  return lastRqId_;
}

}  // namespace zqk::sandbox
