#include "bench/SandboxConsole.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "agent/abi/ComponentRegistry.h"
#include "agent/abi/DispatchIds.h"
#include "protocol/FieldNames.h"
#include "protocol/Layout.h"
#include "requests/OrderComposer.h"

namespace zqk::bench {
namespace {

std::string Text(const zqk_value& v) {
  return v.len ? std::string(v.str, v.len) : std::string();
}

}  // namespace

bool IsFilteredRealType(int32_t realType) {
  return realType == 182 || realType == 185 || realType == 192;
}

int LinesOfRealType(int32_t realType, bool namesLastOrder) {
  switch (realType) {
    case 65:  // the quote display only
      return 0;
    case 82:  // the price conversions, then the start of the raw block
      return 2;
    case 58:
    case 101:
    case 171:
    case 181:
    case 183:
    case 184:
    case 193:
      return 1;
    case 182:
    case 185:
    case 192:
      return namesLastOrder ? 1 : 0;
    default:
      return -1;
  }
}

int64_t RealTimeTally::Records() const {
  int64_t n = 0;
  for (const auto& [type, count] : records) n += count;
  return n;
}

int32_t TallyingDialog::OnAgentEvent(int32_t dispid, std::span<const zqk_value> args) {
  const bool realData = dispid == static_cast<int32_t>(EventDispid::kOnRealData) &&
                        args.size() == 2 && args[0].type == ZQK_VT_STR && args[1].type == ZQK_VT_I4;
  if (!realData) return Handle(dispid, args);
  const std::string key = Text(args[0]);
  const int32_t realType = args[1].i4;
  // The filter compares with the last accepted order as it stands before the
  // record. The sandbox's order numbers have no blanks, so the filter's trims
  // change nothing here.
  bool namesLastOrder = false;
  if (IsFilteredRealType(realType)) {
    namesLastOrder = Agent().GetFieldValue(key, realType, protocol::kOutRec1, 0,
                                           field::kOrderNumber) == m_strLastOrderNo;
  }
  const size_t before = Log().Count();
  const int32_t status = Handle(dispid, args);
  CheckRealData(key, realType, before, namesLastOrder);
  return status;
}

int32_t TallyingDialog::Handle(int32_t dispid, std::span<const zqk_value> args) {
  if (!handlerSeconds_) return CZQKCommClientDlg::OnAgentEvent(dispid, args);
  const Clock::time_point start = Now();
  const int32_t status = CZQKCommClientDlg::OnAgentEvent(dispid, args);
  *handlerSeconds_ += Seconds(start, Now());
  return status;
}

void TallyingDialog::CheckRealData(std::string_view key, int32_t realType, size_t linesBefore,
                                   bool namesLastOrder) {
  ++tally_.records[realType];
  // A log cleared inside the handler cannot happen: clearing is a command.
  const int64_t lines = static_cast<int64_t>(Log().Count() - linesBefore);
  tally_.lines += lines;
  const int expected = LinesOfRealType(realType, namesLastOrder);
  if (expected < 0) {
    ++tally_.unexpected;
    return;
  }
  if (IsFilteredRealType(realType) && !namesLastOrder) ++tally_.held;
  const bool displays = realType == 65 || realType == 82;
  if (lines != expected || (displays && Model().Text(id::kRealProduct) != key)) ++tally_.lost;
}

std::filesystem::path SandboxConsole::MakeDirectory(std::string_view name) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              std::string(name).append("-").append(std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

CZQKCommClientDlg::Environment SandboxConsole::MakeEnvironment(const std::filesystem::path& dir,
                                                               DialogHost& host, UiThread& ui) {
  CZQKCommClientDlg::Environment env;
  env.host = &host;
  env.uiThread = &ui;
  env.executableDir = dir;
  env.componentRegistry = dir / "components";
  return env;
}

SandboxConsole::SandboxConsole(std::string_view name, std::string_view settingsJson,
                               DialogHost& host, UiThread& ui)
    : dir_(MakeDirectory(name)), dlg_(MakeEnvironment(dir_, host, ui)) {
  std::ofstream(dir_ / "sandbox.json") << settingsJson;
  // The sandbox reads its settings when Connect creates it.
  ::setenv("ZQK_SANDBOX_SETTINGS", (dir_ / "sandbox.json").c_str(), 1);
  RegisterComponent(dir_ / "components", kAgentClassId, ZQK_SANDBOX_AGENT, nullptr);
  dlg_.OnInitDialog();
}

SandboxConsole::~SandboxConsole() {
  dlg_.OnDestroy();
  ::unsetenv("ZQK_SANDBOX_SETTINGS");
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::string SandboxConsole::SignIn() {
  dlg_.Click(id::kConnect);
  if (!dlg_.Agent().HasWindow()) return "no agent: " + dlg_.Agent().LastCreateError();
  dlg_.EditText(id::kUserId, "demo");
  dlg_.EditText(id::kPassword, "demo1234");
  dlg_.EditText(id::kCertPassword, "cert1234");
  const size_t before = dlg_.Log().Count();
  dlg_.Click(id::kLogin);
  if (dlg_.Log().Count() != before + 1 || dlg_.Agent().GetCommState() != 1) {
    return "the sign-in failed";
  }
  return {};
}

bool SandboxConsole::AddReal(std::string_view key, int32_t realType) {
  dlg_.EditText(id::kRealKey, key);
  dlg_.EditText(id::kRealType, std::to_string(realType));
  const size_t before = dlg_.Log().Count();
  dlg_.Click(id::kRealRegister);
  // The register line ends with the agent's result: "...[0]" on success.
  const std::string_view line = dlg_.Log().Line(LineIndex{before});
  return dlg_.Log().Count() == before + 1 && line.ends_with("[0]");
}

void SandboxConsole::AddOrderReal(std::string_view account) {
  dlg_.EditText(id::kOrderRealAccount, account);
  dlg_.Click(id::kOrderRealRegister);
}

void SandboxConsole::SendOrder(std::string_view trCode, std::string_view record) {
  dlg_.EditText(id::kOrderTrCode, trCode);
  dlg_.EditText(id::kOrderRecord, record);
  dlg_.Click(id::kSendOrder);
}

std::string DomesticOrderRecord(std::string_view product, char side, std::string_view price,
                                std::string_view orderNo) {
  OrderFormValues v;
  v.account = std::string(kDomesticAccount);
  v.password = std::string("6042");
  v.product = std::string(product);
  v.buySell = std::string(1, side);
  // Built from characters: g++ 12 at -O3 takes a short literal assigned to a
  // string for an overlapping copy (-Wrestrict).
  v.priceType.assign(1, price.empty() ? '2' : '1');  // market or limit
  v.fillCondition.assign(1, '1');
  v.price = std::string(price);
  v.quantity.assign(1, '1');
  v.origOrderNo = std::string(orderNo);
  return ComposeRecord(v, orderNo.empty() ? DomesticNewLayout() : DomesticAmendCancelLayout());
}

}  // namespace zqk::bench
