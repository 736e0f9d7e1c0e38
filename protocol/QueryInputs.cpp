#include "protocol/QueryInputs.h"

#include "protocol/FieldNames.h"
#include "protocol/TrCodes.h"

namespace zqk::protocol {
namespace {

using enum FieldKind;
namespace f = field;

// Domestic account inputs start with the account number (11 bytes) and its
// password (8 bytes), as the console's rewrite leaves them.
constexpr InputField kDomesticAccount{f::kAccountNumber, 0, 11, kAccount};
constexpr InputField kDomesticPassword{f::kPassword, 11, 8, kText};
// Overseas account inputs: the account number (6) and its password (4).
constexpr InputField kOverseasAccount{f::kAccountNumber, 0, 6, kAccount};
constexpr InputField kOverseasPassword{f::kPassword, 6, 4, kText};

constexpr InputField kDomesticAccountOnly[] = {kDomesticAccount, kDomesticPassword};
constexpr InputField kDomesticProducts[] = {
    {f::kProductCode, 0, 8, kCode, {}, "the start of the codes (blank: every future and option)"}};
constexpr InputField kDomesticFills[] = {
    kDomesticAccount,
    kDomesticPassword,
    {f::kFillDate, 19, 8, kDateTime, {}, "YYYYMMDD (blank: all)"}};
constexpr InputField kDomesticOpenOrders[] = {
    kDomesticAccount,
    kDomesticPassword,
    {f::kOrderDate, 19, 8, kDateTime, {}, "YYYYMMDD (blank: all)"}};
constexpr InputField kDomesticHolding[] = {
    kDomesticAccount,
    kDomesticPassword,
    {f::kProduct, 19, 8, kCode, {}, "blank: the first position", f::kProduct}};
constexpr InputField kUser[] = {
    {f::kUserId, 0, 20, kText, {}, "blank: the signed-in user", f::kUserId}};
constexpr InputField kUserOfList[] = {{f::kUserId, 0, 20, kText, {}, "blank: the signed-in user"}};
constexpr InputField kDomesticSymbol[] = {{f::kProductCode, 0, 8, kCode, {}, {}, f::kShortCode}};

constexpr InputField kOverseasAccountOnly[] = {kOverseasAccount, kOverseasPassword};
constexpr InputField kOverseasDeposit[] = {
    kOverseasAccount,
    kOverseasPassword,
    {f::kCurrency, 10, 3, kCode, {}, "one currency (blank: all)"}};
constexpr InputField kOverseasOrderHistory[] = {
    kOverseasAccount,
    kOverseasPassword,
    {f::kProcessDate, 10, 8, kDateTime, {}, "YYYYMMDD (blank: all)"}};
constexpr InputField kFxAssets[] = {{f::kUserToken, 0, 8, kText},
                                    {f::kAccountNumber, 9, 6, kAccount},
                                    {f::kPassword, 15, 4, kText}};

constexpr InputField kOverseasProduct[] = {
    {f::kProductCode, 0, 32, kCode, {}, {}, f::kProductCode}};
constexpr InputField kOverseasProducts[] = {
    {f::kExchangeOrCode,
     0,
     10,
     kCode,
     {},
     "an exchange (its futures) or the start of codes (blank: every future)"}};
constexpr InputField kProductService[] = {
    {f::kExchange, 0, 10, kCode, {}, "blank: all", f::kExchange}};
constexpr InputField kRecentTrades[] = {
    {f::kProductCode, 0, 32, kCode, {}, {}, f::kProductCode},
    {f::kCount, 32, 4, kDigits, InputNumber{20, 1, 500}, "how many", f::kQueryCount}};
constexpr InputField kMinuteBars[] = {
    {f::kProductCode, 0, 32, kCode},
    {f::kMinutes, 32, 3, kDigits, InputNumber{1, 1, 60},
     "minutes a bar: 1, 2, 3, 5, 10, 15, 20, 30 or 60"},
    {f::kCount, 35, 4, kDigits, InputNumber{20, 1, 100}, "bars a page"}};
constexpr InputField kBars[] = {
    {f::kProductCode, 0, 32, kCode, {}, {}, f::kProductCode},
    {f::kMinutes, 32, 3, kDigits, InputNumber{1, 1, 60}, "minutes a bar", f::kBarMinutes},
    {f::kCount, 35, 4, kDigits, InputNumber{20, 1, 500}, "how many", f::kBarCount}};
constexpr InputField kNewsTitles[] = {
    {f::kCount, 0, 3, kDigits, InputNumber{1, 1, 20}, "titles a page"}};
constexpr InputField kNewsBody[] = {
    {f::kNewsId, 0, 12, kDateTime, {}, "blank: the newest", f::kNewsId}};
constexpr InputField kFamily[] = {{f::kRootCode, 0, 10, kCode, {}, "an overseas futures family"}};
constexpr InputField kChartData[] = {
    {f::kProductCode, 0, 32, kCode, {}, "of any market", f::kProductCode},
    {f::kPeriod, 32, 1, kCode, {}, "D days, H hours, M minutes (blank: D)"},
    {f::kCount, 33, 4, kDigits, InputNumber{30, 1, 500}, "how many", f::kChartCount},
    {f::kEndMoment, 37, 14, kDateTime, {}, "YYYYMMDDHHMMSS (blank: now; 이전키 goes here)"}};
constexpr InputField kFxPair[] = {{f::kProductCode, 0, 10, kCode, {}, "a pair", f::kProductCode}};

// The account number, then the account text in place of the password, then
// the date.
constexpr AccountRewrite kAccountText{0, 1, 2};

struct CodeInput {
  std::string_view code;
  InputLayout layout;
};

constexpr CodeInput kInputs[] = {
    {tr::kDomesticProducts, {kDomesticProducts, 8, "101F"}},
    {tr::kDomesticFills, {kDomesticFills, 27, "06801004   6042    ", kAccountText}},
    {tr::kDomesticOpenOrders, {kDomesticOpenOrders, 27, "07215003   6042    ", kAccountText}},
    {tr::kDomesticPasswordCheck, {kDomesticAccountOnly, 19, "06801004   6042    "}},
    {tr::kDomesticHolding, {kDomesticHolding, 27, "06801004   6042    101G3000"}},
    {tr::kUserAccounts, {kUser, 20, "demo"}},
    {tr::kDomesticDeposit, {kDomesticAccountOnly, 19, "06801004   6042    "}},
    {tr::kDomesticFuturesValuation, {kDomesticAccountOnly, 19, "06801004   6042    "}},
    {tr::kDomesticOptionsValuation, {kDomesticAccountOnly, 19, "06801004   6042    "}},
    {tr::kDomesticSettlement, {kDomesticAccountOnly, 19, "06801004   6042    "}},
    {tr::kDomesticSymbol, {kDomesticSymbol, 13, "101M300020001"}},
    {tr::kAccountList, {kUserOfList, 20, ""}},
    {tr::kOverseasDeposit, {kOverseasDeposit, 14, "0163043961    "}},
    {tr::kOverseasPasswordCheck, {kOverseasAccountOnly, 10, "0163043961"}},
    {tr::kOverseasOpenOrders, {kOverseasAccountOnly, 14, "0158726042    "}},
    {tr::kOverseasOrderHistory, {kOverseasOrderHistory, 18, "0163043961    "}},
    {tr::kOverseasPrice, {kOverseasProduct, 32, "ESU16                           "}},
    {tr::kOverseasProducts, {kOverseasProducts, 10, "CME"}},
    {tr::kOverseasSymbolService, {kProductService, 10, ""}},
    {tr::kRecentTrades, {kRecentTrades, 36, "ESU16                             30"}},
    {tr::kMinuteBars, {kMinuteBars, 39, "ESU16                           "}},
    {tr::kBars, {kBars, 39, "ESU16                             5  12"}},
    {tr::kServerTime, {{}, 0, ""}},
    {tr::kNewsTitles, {kNewsTitles, 3, ""}},
    {tr::kNewsBody, {kNewsBody, 12, "201609010840"}},
    {tr::kItemPrice, {kFamily, 10, "CL"}},
    {tr::kItemBoard, {kFamily, 10, "CL"}},
    {tr::kChartData, {kChartData, 51, "ESU16                           D  10"}},
    // The user token (8), a blank, the account number and its password.
    {tr::kFxAssets, {kFxAssets, 43, "1torem58 0175396042                        "}},
    {tr::kFxMaster, {kFxPair, 10, "EUR/USD   "}},
};

}  // namespace

const InputLayout* InputLayoutOf(std::string_view code) {
  for (const CodeInput& i : kInputs) {
    if (i.code == code) return &i.layout;
  }
  return nullptr;
}

std::string_view SampleInput(std::string_view code) {
  const InputLayout* layout = InputLayoutOf(code);
  return layout ? layout->sample : std::string_view();
}

const AccountRewrite* AccountRewriteOf(std::string_view code) {
  const InputLayout* layout = InputLayoutOf(code);
  return layout && layout->rewrite ? &*layout->rewrite : nullptr;
}

size_t AccountTextWidth() {
  return kDomesticFills[kAccountText.replacedField].width;
}

}  // namespace zqk::protocol
