#include "sandbox/SandboxAgent.h"

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <ctime>
#include <limits>

#include "text/Cp949.h"

namespace zqk::sandbox {
namespace {

constexpr std::string_view kLogName = "ZQKCommAgent";
constexpr std::string_view kVersion = "1.0.0";

// Account numbers reach the agent in fixed-width fields, padded with blanks.
std::string_view TrimRight(std::string_view s) {
  const size_t end = s.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : s.substr(0, end + 1);
}

std::string WithDetail(std::string_view text, std::string_view detail) {
  std::string s(text);
  if (!detail.empty()) s.append("[").append(detail).append("]");
  return s;
}

std::string MarketName(Market m) {
  switch (m) {
    case Market::kDomestic:
      return "국내";
    case Market::kOverseas:
      return "해외";
    case Market::kFx:
      return "FX";
  }
  return {};
}

}  // namespace

SandboxAgent::SandboxAgent(kit::Host& host, LoadedSettings settings, std::string settingsPath)
    : host_(host),
      loaded_(std::move(settings)),
      settingsPath_(std::move(settingsPath)),
      random_(loaded_.settings.seed),
      clockStartSecs_(
          loaded_.settings.clockStart.value_or(static_cast<int64_t>(std::time(nullptr)))),
      agentTimeAtStart_(host.NowMs()) {
  if (loaded_.error) kit::LogLine(kLogName, "settings ignored: " + *loaded_.error);
}

kit::Result SandboxAgent::Invoke(int32_t dispid, const kit::Args& a) {
  using R = kit::Result;
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
      return R::Long(Request(ServiceKind::kTr, a.Str(0), a.Str(1), a.Long(2)));
    case Dispid::kRequestFid:
      return R::Long(Request(ServiceKind::kFid, a.Str(0), a.Str(1), a.Long(3)));
    case Dispid::kSendOrder:
      return R::Long(Request(ServiceKind::kOrder, a.Str(0), a.Str(1), std::nullopt));
    case Dispid::kAddReal:
      return R::Long(AddReal(a.Str(0), a.Long(1)));
    case Dispid::kRemoveReal:
      return R::Long(RemoveReal(a.Str(0), a.Long(1)));
    case Dispid::kAddOrderReal:
      return R::Long(OrderReal(a.Str(0), a.Str(1), true));
    case Dispid::kRemoveOrderReal:
      return R::Long(OrderReal(a.Str(0), a.Str(1), false));
    case Dispid::kGetCommState:
      return R::Long(commState_);
    case Dispid::kGetAccountText:
      return R::String(GetAccountText(a.Str(0)));
    case Dispid::kGetBusinessDay:
      return R::String(GetBusinessDay(a.Long(0)));
    case Dispid::kGetInfo:
      return R::String(GetInfo(a.Str(0), a.Str(1)));
    case Dispid::kRequestMasterFile:
      RequestMasterFile(a.Str(0));
      return R::None();
    // No reply carries data yet, so every read finds nothing.
    case Dispid::kGetRepeatCount:
      return R::Long(0);
    case Dispid::kGetFieldValue:
    case Dispid::kGetDataBlock:
    case Dispid::kGetLastData:
    case Dispid::kGetNextKey:
      return R::String({});
    case Dispid::kFormatValue:
      return R::String(std::string(a.Str(1)));
  }
  // The kit lets through only the dispatch IDs of the interface.
  return R::None();
}

int32_t SandboxAgent::StartComm(int32_t mode) {
  if (mode != 1) {
    PostAgentMessage(kMsgBadMode, std::to_string(mode));
    return kMsgBadMode.code;
  }
  if (commState_ == kConnected) return 0;
  commState_ = kConnected;
  PostAgentMessage(kMsgConnected);
  if (loaded_.error) PostAgentMessage(kMsgSettingsError, Utf8ToCp949(*loaded_.error));
  return 0;
}

void SandboxAgent::StopComm() {
  // Whatever was on its way dies with the connection: replies, messages, feeds.
  host_.CancelAll();
  lastDueMs_ = 0;
  commState_ = kDisconnected;
  session_ = nullptr;
  realFeeds_.clear();
  orderFeeds_.clear();
}

int32_t SandboxAgent::Login(std::string_view userId, std::string_view password,
                            std::string_view cert) {
  const Message* refusal = nullptr;
  const User* user = loaded_.settings.FindUser(userId);
  if (commState_ != kConnected) {
    refusal = &kMsgNotConnected;
  } else if (!user) {
    refusal = &kMsgUnknownUser;
  } else if (user->password != password) {
    refusal = &kMsgWrongPassword;
  } else if (user->certPassword != cert) {
    refusal = &kMsgWrongCertPassword;
  }
  if (refusal) {
    PostAgentMessage(*refusal);
    return refusal->code;
  }
  if (session_ != user) {
    realFeeds_.clear();
    orderFeeds_.clear();
  }
  session_ = user;
  PostAgentMessage(kMsgLoggedIn, user->id);
  return 1;
}

int32_t SandboxAgent::Logout(std::string_view userId) {
  const Message* refusal = SessionProblem();
  if (!refusal && session_->id != userId) refusal = &kMsgOtherUser;
  if (refusal) {
    PostAgentMessage(*refusal);
    return refusal->code;
  }
  PostAgentMessage(kMsgLoggedOut, session_->id);
  session_ = nullptr;
  realFeeds_.clear();
  orderFeeds_.clear();
  return 1;
}

const Message* SandboxAgent::SessionProblem() const {
  if (commState_ != kConnected) return &kMsgNotConnected;
  if (!session_) return &kMsgNotSignedIn;
  return nullptr;
}

int32_t SandboxAgent::Request(ServiceKind kind, std::string_view code, std::string_view input,
                              std::optional<int32_t> inputLength) {
  const int32_t rqId = NextRqId();
  if (const Message* refusal = SessionProblem()) {
    PostRequestMessage(rqId, *refusal);
  } else if (FindService(code) != kind) {
    PostRequestMessage(rqId, kMsgUnknownTrCode, code);
  } else if (inputLength &&
             (*inputLength < 0 || static_cast<size_t>(*inputLength) != input.size())) {
    PostRequestMessage(rqId, kMsgBadInputLength,
                       std::to_string(*inputLength) + "/" + std::to_string(input.size()));
  } else {
    kit::LogLine(kLogName, Cp949ToUtf8(code) + ": service not simulated yet, request " +
                               std::to_string(rqId) + " refused");
    PostRequestMessage(rqId, kMsgNotSimulated, code);
  }
  return rqId;
}

void SandboxAgent::RequestMasterFile(std::string_view kind) {
  if (const Message* refusal = SessionProblem()) {
    PostAgentMessage(*refusal);
  } else if (kind != "all" && kind != "futures" && kind != "option") {
    PostAgentMessage(kMsgUnknownMasterKind, kind);
  } else {
    kit::LogLine(kLogName, "master files not simulated yet");
    PostAgentMessage(kMsgNotSimulated, "v90001");
  }
}

int32_t SandboxAgent::AddReal(std::string_view key, int32_t realType) {
  if (const Message* refusal = SessionProblem()) return refusal->code;
  realFeeds_.emplace(std::string(key), realType);
  return 0;
}

int32_t SandboxAgent::RemoveReal(std::string_view key, int32_t realType) {
  if (const Message* refusal = SessionProblem()) return refusal->code;
  return realFeeds_.erase({std::string(key), realType}) ? 0 : kMsgNotRegistered.code;
}

int32_t SandboxAgent::OrderReal(std::string_view userId, std::string_view account, bool add) {
  if (const Message* refusal = SessionProblem()) return refusal->code;
  if (session_->id != userId) return kMsgOtherUser.code;
  const std::string number(TrimRight(account));
  if (!session_->FindAccount(number)) return kMsgUnknownAccount.code;
  if (add) {
    orderFeeds_.insert(number);
    return 0;
  }
  return orderFeeds_.erase(number) ? 0 : kMsgNotRegistered.code;
}

std::string SandboxAgent::GetAccountText(std::string_view account) const {
  // The 8-byte password field that account-bearing TR inputs carry right
  // after the 11-byte account number; only for the signed-in user's accounts.
  if (!session_) return {};
  const Account* a = session_->FindAccount(TrimRight(account));
  if (!a) return {};
  std::string text = a->password;
  text.resize(8, ' ');
  return text;
}

std::string SandboxAgent::GetBusinessDay(int32_t kind) const {
  // 3: domestic, 1: overseas. Both markets trade Monday to Friday here, so
  // both answer today or the next weekday that is not a holiday.
  if (kind != 1 && kind != 3) return {};
  const int64_t now = clockStartSecs_ + (host_.NowMs() - agentTimeAtStart_) / 1000;
  QDate day = QDateTime::fromSecsSinceEpoch(now).date();
  for (int guard = 0; guard < 366; ++guard) {
    const std::string text = day.toString(QStringLiteral("yyyyMMdd")).toStdString();
    if (day.dayOfWeek() <= 5 && !loaded_.settings.holidays.contains(text)) return text;
    day = day.addDays(1);
  }
  return {};
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
    if (!detailed) return std::to_string(commState_);
    return commState_ == kConnected ? "1 (연결됨)" : "0 (연결 안 됨)";
  }
  if (name == "사용자ID") {
    if (!session_) return {};
    return detailed ? session_->id + " (" + session_->name + ")" : session_->id;
  }
  if (name == "계좌목록") {
    if (!session_) return {};
    std::string list;
    for (const Account& a : session_->accounts) {
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
    if (detailed) {
      text += loaded_.fromFile ? " file=" + Utf8ToCp949(settingsPath_) : " file=(기본값)";
    }
    return text;
  }
  return {};
}

uint32_t SandboxAgent::NextDelay() {
  // One connection delivers in order: a message never overtakes one that was
  // caused before it, whatever the jitter.
  const uint32_t jitter = loaded_.settings.replyJitterMs;
  const int64_t now = host_.NowMs();
  const int64_t latency = loaded_.settings.replyLatencyMs +
                          (jitter ? static_cast<int64_t>(random_() % (jitter + 1)) : 0);
  lastDueMs_ = std::max(lastDueMs_, now + latency);
  return static_cast<uint32_t>(lastDueMs_ - now);
}

int32_t SandboxAgent::NextRqId() {
  lastRqId_ = lastRqId_ == std::numeric_limits<int32_t>::max() ? 1 : lastRqId_ + 1;
  return lastRqId_;
}

void SandboxAgent::PostAgentMessage(const Message& m, std::string_view detail) {
  host_.Post(NextDelay(), [this, code = MessageCode(m), text = WithDetail(m.text, detail)] {
    host_.Fire(EventDispid::kOnAgentMessage, {code, text});
  });
}

void SandboxAgent::PostRequestMessage(int32_t rqId, const Message& m, std::string_view detail) {
  host_.Post(NextDelay(), [this, rqId, code = MessageCode(m), text = WithDetail(m.text, detail)] {
    host_.Fire(EventDispid::kOnRequestMessage, {rqId, code, text});
  });
}

}  // namespace zqk::sandbox
