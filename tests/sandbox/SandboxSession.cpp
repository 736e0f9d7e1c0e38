#include "tests/sandbox/SandboxSession.h"
#include "tests/support/BuiltFile.h"

namespace zqk::test {

const std::vector<std::string>& FieldsRead(int32_t realType) {
  static const std::map<int32_t, std::vector<std::string>> kFields = {
      {-1,
       {"접수구분", "처리구분", "처리코드", "처리메시지", "계좌번호", "주문번호", "원주문번호",
        "종목코드"}},
      {51, {"종목코드", "매도호가1", "매수호가1", "매도잔량1", "매수잔량1", "총매도잔량"}},
      {52, {"종목코드", "매도호가1", "매수호가1", "매도잔량1", "매수잔량1", "총매도잔량"}},
      {58, {"kfutcode", "hotime", "offerho1", "bidho1", "offerrem1", "bidrem1"}},
      {65, {"종목코드", "체결시간", "현재가", "누적거래량", "전일대비", "등락율"}},
      {66, {"종목코드", "이론가", "델타", "내재변동성"}},
      {71, {"종목코드", "체결시간", "현재가", "누적거래량"}},
      {75, {"종목코드", "매도호가1", "매수호가1"}},
      {82, {"종목코드", "기준체결시간", "체결가", "누적거래량"}},
      {101, {"지수", "전일비", "등락율"}},
      {171, {"단축코드", "호가시간", "매도호가", "매수호가"}},
      {181, {"주문번호", "원주문번호", "종목코드", "매매구분", "주문가격", "주문수량", "접수구분"}},
      {182, {"주문번호", "종목코드", "매매구분", "주문가격", "주문수량", "잔량"}},
      {183, {"주문번호", "원주문번호", "확인구분", "확인수량", "처리메세지"}},
      {184, {"계좌번호", "주문가능금액"}},
      {185, {"주문번호", "종목코드", "매매구분", "체결가격", "체결수량", "체결시간"}},
      {186, {"주문번호", "종목코드", "매매구분", "주문가격", "주문수량", "잔량"}},
      {187, {"주문번호", "원주문번호", "확인구분", "확인수량", "처리메세지"}},
      {188, {"계좌번호", "주문가능금액"}},
      {189, {"주문번호", "종목코드", "매매구분", "주문가격", "주문수량", "체결가격"}},
      {191, {"주문번호", "종목코드", "매매구분", "주문가격", "주문수량", "잔량"}},
      {192, {"주문번호", "종목코드", "매매구분", "진입가격", "진입수량"}},
      {193, {"주문번호", "종목코드", "매매구분", "청산가격", "청산수량"}},
      {196, {"주문번호", "종목코드", "매매구분", "주문가격", "주문수량", "처리코드", "처리메세지"}},
      {197, {"주문번호", "처리코드", "처리메세지", "종목코드", "주문가격", "주문수량"}},
      {199, {"주문번호", "종목코드", "매매구분", "주문가격", "주문수량"}},
      {208, {"일자", "시간", "장운영구분"}},
  };
  static const std::vector<std::string> kNone;
  auto it = kFields.find(realType);
  return it == kFields.end() ? kNone : it->second;
}

std::string Fields(std::initializer_list<std::pair<std::string_view, size_t>> fields) {
  std::string record;
  for (const auto& [value, width] : fields) {
    std::string field(value);
    if (field.size() < width) field.resize(width, ' ');
    record += field;
  }
  return record;
}

std::string SandboxSession::Settings(int tickRate) {
  return R"({"replyLatencyMs": 40, "replyJitterMs": 0, "seed": 7, "tickRate": )" +
         std::to_string(tickRate) + R"(, "clockStart": "2016-09-01T09:00:00"})";
}

void SandboxSession::Start(const std::string& settingsJson) {
  host_.reset();
  if (dir_.empty()) {
    char pattern[] = "/tmp/zqk-session-XXXXXX";
    dir_ = mkdtemp(pattern);
  }
  const std::filesystem::path settings = dir_ / "sandbox.json";
  std::ofstream(settings) << settingsJson;
  setenv("ZQK_SANDBOX_SETTINGS", settings.c_str(), 1);
  host_ = std::make_unique<AbiTestHost>(ZQK_SANDBOX_AGENT);
  ASSERT_EQ(host_->Create(kAgentClassId), ZQK_OK);
  host_->onEvent = [this](const FiredEvent& e) { Capture(e); };
}

void SandboxSession::TearDown() {
  host_.reset();
  std::error_code ec;
  if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
}

void SandboxSession::SignIn() {
  ASSERT_EQ(host_->Long(Dispid::kStartComm, {1}), 0);
  ASSERT_EQ(host_->Long(Dispid::kLogin, {"demo", "demo1234", "cert1234"}), 1);
  Run(1000);
}

void SandboxSession::Capture(const FiredEvent& e) {
  Seen s;
  s.at = e.at;
  s.dispid = e.dispid;
  if (e.dispid == kOnTrReply || e.dispid == kOnRealData) {
    s.key = e.args.at(0).str;
    const int32_t type = e.dispid == kOnRealData ? e.args.at(1).i4 : -1;
    if (e.dispid == kOnRealData)
      s.type = type;
    else
      s.rqId = e.args.at(1).i4;
    for (const std::string& name : FieldsRead(type)) {
      s.fields[name] = host_->Str(Dispid::kGetFieldValue, {s.key, type, "OutRec1", 0, name});
    }
    if (type == 82) s.block = host_->Str(Dispid::kGetDataBlock, {s.key, 82, 0, 230, 0, "A"});
    if (type == 208) s.block = host_->Str(Dispid::kGetDataBlock, {"0", 208, 0, 15, 0, "A"});
  } else if (e.dispid == kOnAgentMessage) {
    s.code = e.args.at(0).str;
    s.text = e.args.at(1).str;
  } else if (e.dispid == kOnRequestMessage) {
    s.rqId = e.args.at(0).i4;
    s.code = e.args.at(1).str;
    s.text = e.args.at(2).str;
  }
  seen_.push_back(std::move(s));
}

std::vector<Seen> SandboxSession::Run(int64_t ms) {
  seen_.clear();
  host_->Advance(ms);
  return std::exchange(seen_, {});
}

std::vector<Seen> SandboxSession::Only(const std::vector<Seen>& seen, int32_t dispid) {
  std::vector<Seen> out;
  for (const Seen& s : seen) {
    if (s.dispid == dispid) out.push_back(s);
  }
  return out;
}

std::vector<Seen> SandboxSession::OfType(const std::vector<Seen>& seen, int32_t realType) {
  std::vector<Seen> out;
  for (const Seen& s : seen) {
    if (s.dispid == kOnRealData && s.type == realType) out.push_back(s);
  }
  return out;
}

}  // namespace zqk::test
