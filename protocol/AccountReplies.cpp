// The replies about accounts, orders and master files: the domestic and
// overseas account queries, the FX margin assets, the order replies and the
// master-file download.
#include "protocol/FieldNames.h"
#include "protocol/Replies.h"
#include "protocol/ReplyFields.h"
#include "protocol/TrCodes.h"

namespace zqk::protocol {
namespace {

using namespace fields;
namespace f = field;

// --- Domestic accounts.

constexpr Field kDomesticFillRow[] = {
    Padded(Account(f::kAccountNumber)),
    Digits(f::kOrderNumber),
    Digits(f::kFillNumber),
    Padded(Code(f::kProductCode, 32)),
    Text(f::kProductName, 40),
    Code(f::kBuySell, 1),
    Decimal(f::kFillPrice),
    Digits(f::kFillQuantity),
    Date(f::kFillDate),
    Time(f::kFillTime),
    Amount(f::kFee),
};
constexpr RecordLayout kDomesticFills[] = {Repeated(kDomesticFillRow)};

constexpr Field kDomesticOpenOrderRow[] = {
    Padded(Account(f::kAccountNumber)),
    Digits(f::kOrderNumber),
    Digits(f::kOriginalOrder),
    Padded(Code(f::kProductCode, 32)),
    Text(f::kProductName, 40),
    Code(f::kBuySell, 1),
    Code(f::kPriceType, 1),
    Decimal(f::kOrderPrice),
    Digits(f::kOrderQuantity),
    Digits(f::kFillQuantity),
    Digits(f::kOpenQuantity),
    Date(f::kOrderDate),
    Time(f::kOrderTime),
};
constexpr RecordLayout kDomesticOpenOrders[] = {Repeated(kDomesticOpenOrderRow)};

constexpr Field kDomesticPasswordCheckRow[] = {
    Code(f::kProcessCode, 4),  Text(f::kProcessMessage, 80), Account(f::kAccountNumber),
    Text(f::kAccountName, 30), Code(f::kPasswordMatch, 1),   Code(f::kAccountKind, 1),
};
constexpr RecordLayout kDomesticPasswordCheck[] = {Single(kDomesticPasswordCheckRow)};

constexpr Field kDomesticHoldingRow[] = {
    Account(f::kAccountNumber), Text(f::kAccountName, 30), Code(f::kProduct, 32),
    Text(f::kProductName, 40),  Code(f::kBuySell, 1),      Digits(f::kHolding),
    Decimal(f::kCurrentPrice),  Decimal(f::kAveragePrice),
};
constexpr RecordLayout kDomesticHolding[] = {Single(kDomesticHoldingRow)};

constexpr Field kUserAccountRow[] = {
    Padded(Text(f::kUserId, 20)), Account(f::kAccountNumber), Code(f::kLoanKind, 1),
    Text(f::kTmp1, 20),           Text(f::kAccountName, 30),  Code(f::kAccountKind, 1),
};
constexpr RecordLayout kUserAccounts[] = {Repeated(kUserAccountRow)};

constexpr Field kDomesticDepositRow[] = {
    Account(f::kAccountNumber), Text(f::kAccountName, 30),     Amount(f::kDepositTotal),
    Amount(f::kDepositCash),    Amount(f::kDepositDayProfit),  Amount(f::kValuationProfit),
    Amount(f::kInitialMargin),  Amount(f::kMaintenanceMargin), Amount(f::kOrderable),
};
constexpr RecordLayout kDomesticDeposit[] = {Single(kDomesticDepositRow)};

constexpr Field kValuationRow[] = {
    Account(f::kAccountNumber), Code(f::kProduct, 32),       Text(f::kProductName, 40),
    Code(f::kBuySell, 1),       Digits(f::kHolding),         Decimal(f::kAveragePrice),
    Decimal(f::kCurrentPrice),  Amount(f::kValuationProfit),
};
constexpr RecordLayout kValuation[] = {Repeated(kValuationRow)};

constexpr Field kSettlementRow[] = {
    Account(f::kAccountNumber), Amount(f::kProvisionalSettlement), Amount(f::kValuedDeposit),
    Amount(f::kCashDeposit),    Amount(f::kValuationProfit),       Amount(f::kInitialMargin),
};
constexpr RecordLayout kSettlement[] = {Single(kSettlementRow)};

// --- Overseas and FX margin accounts.

constexpr Field kAccountListRow[] = {
    Account(f::kAccountNumber),
    Text(f::kAccountName, 30),
    Code(f::kAccountKind, 1),
};
constexpr RecordLayout kAccountList[] = {Repeated(kAccountListRow)};
// The number of accounts in 5 digits, then 42 bytes an account.
constexpr Field kAccountListHeader[] = {Digits(f::kAccountCount, 5)};
constexpr BlockLayout kAccountListBlock{.header = kAccountListHeader,
                                        .row = kAccountListRow,
                                        .rows = BlockRows::kHeaderCount,
                                        .countField = f::kAccountCount,
                                        .lastData = true};

constexpr Field kOverseasDepositRow[] = {
    Padded(Code(f::kCurrencyKind, 4)), Amount(f::kDepositSum),        Amount(f::kDepositBalance),
    Amount(f::kValuationProfit),       Amount(f::kRealizedProfit),    Amount(f::kFee),
    Amount(f::kInitialMargin),         Amount(f::kMaintenanceMargin), Amount(f::kOrderable),
};
constexpr RecordLayout kOverseasDeposit[] = {Repeated(kOverseasDepositRow)};

constexpr Field kOverseasPasswordCheckRow[] = {
    Code(f::kProcessCode, 4),  Text(f::kProcessMessage, 80), Account(f::kAccountNumber),
    Text(f::kAccountName, 30), Code(f::kPasswordMatch, 1),   Code(f::kKind, 1),
};
constexpr RecordLayout kOverseasPasswordCheck[] = {Single(kOverseasPasswordCheckRow)};

// A line of an account's orders and fills: the record's row, and its block
// row of 226 bytes, the same fields and 16 reserved bytes.
constexpr Field kOrderLineRow[] = {
    Date(f::kProcessDate),      Digits(f::kOrderNumber),    Digits(f::kOriginalOrder),
    Account(f::kAccountNumber), Code(f::kProductCode, 32),  Code(f::kBuySell, 1),
    Code(f::kPriceType, 1),     Code(f::kFillCondition, 1), Code(f::kOrderOrFill, 1),
    Decimal(f::kOrderPrice),    Digits(f::kOrderQuantity),  Decimal(f::kFillPrice),
    Digits(f::kFillQuantity),   Digits(f::kOpenQuantity),   Code(f::kCurrencyCode, 3),
    Time(f::kOrderTime),        Time(f::kFillTime),         Text(f::kProcessState, 20),
    Text(f::kProductName, 40),
};
constexpr RecordLayout kOrderLines[] = {Repeated(kOrderLineRow)};
constexpr Field kOrderLineBlockRow[] = {
    Date(f::kProcessDate),      Digits(f::kOrderNumber),    Digits(f::kOriginalOrder),
    Account(f::kAccountNumber), Code(f::kProductCode, 32),  Code(f::kBuySell, 1),
    Code(f::kPriceType, 1),     Code(f::kFillCondition, 1), Code(f::kOrderOrFill, 1),
    Decimal(f::kOrderPrice),    Digits(f::kOrderQuantity),  Decimal(f::kFillPrice),
    Digits(f::kFillQuantity),   Digits(f::kOpenQuantity),   Code(f::kCurrencyCode, 3),
    Time(f::kOrderTime),        Time(f::kFillTime),         Text(f::kProcessState, 20),
    Text(f::kProductName, 40),  Text(f::kReserved, 16),
};
constexpr BlockLayout kOrderLineBlock{
    .row = kOrderLineBlockRow, .rows = BlockRows::kPerRecordRow, .rowsOf = kOutRec1};

constexpr Field kFxAssetsRow[] = {
    Account(f::kAccountNumber), Padded(Text(f::kAccountName, 30)), Code(f::kCurrency, 3),
    Amount(f::kDepositAmount),  Amount(f::kDepositBalance),        Amount(f::kValuationProfit),
    Amount(f::kInitialMargin),  Amount(f::kMaintenanceMargin),     Amount(f::kOrderable),
};
constexpr RecordLayout kFxAssets[] = {Repeated(kFxAssetsRow)};

// --- Orders: the reply of every order code.

constexpr Field kOrderReplyRow[] = {
    Code(f::kReceiptKind, 1),  Code(f::kProcessCode, 4),   Text(f::kProcessMessage, 80),
    Text(f::kProcessKind, 85), Account(f::kAccountNumber), Digits(f::kOrderNumber),
    Digits(f::kOriginalOrder), Code(f::kProductCode, 32),  Time(f::kReceiptTime),
};
constexpr RecordLayout kOrderReply[] = {Single(kOrderReplyRow)};

// --- Master files: one reply per file. The raw data is the header (the
// record's fields, fixed-width), then the file's content of 파일크기 bytes.

constexpr Field kMasterHeader[] = {
    Code(f::kTrCode, 6),         Code(f::kAnswerCode, 4), Text(f::kFileName, 40),
    Digits(f::kFileSize, 10),    Digits(f::kRowCount, 8), Digits(f::kRowLength, 4),
    Code(f::kKind, 8),           Date(f::kMadeDate),      Time(f::kMadeTime),
    Text(f::kAnswerMessage, 46),
};
constexpr RecordLayout kMasterFile[] = {Single(kMasterHeader)};
constexpr BlockLayout kMasterFileBlock{.header = kMasterHeader, .contentSizeField = f::kFileSize};

constexpr CodeReply kReplies[] = {
    {tr::kDomesticFills, {kDomesticFills}},
    {tr::kDomesticOpenOrders, {kDomesticOpenOrders}},
    {tr::kDomesticPasswordCheck, {kDomesticPasswordCheck}},
    {tr::kDomesticHolding, {kDomesticHolding}},
    {tr::kUserAccounts, {kUserAccounts}},
    {tr::kDomesticDeposit, {kDomesticDeposit}},
    {tr::kDomesticFuturesValuation, {kValuation}},
    {tr::kDomesticOptionsValuation, {kValuation}},
    {tr::kDomesticSettlement, {kSettlement}},
    {tr::kAccountList, {kAccountList, &kAccountListBlock}},
    {tr::kOverseasDeposit, {kOverseasDeposit}},
    {tr::kOverseasPasswordCheck, {kOverseasPasswordCheck}},
    {tr::kOverseasOpenOrders, {kOrderLines, &kOrderLineBlock}},
    {tr::kOverseasOrderHistory, {kOrderLines, &kOrderLineBlock, true}},
    {tr::kFxAssets, {kFxAssets}},
    {tr::kDomesticNewOrder, {kOrderReply}},
    {tr::kDomesticAmendOrder, {kOrderReply}},
    {tr::kDomesticCancelOrder, {kOrderReply}},
    {tr::kDomesticCmeNewOrder, {kOrderReply}},
    {tr::kDomesticCmeAmendOrder, {kOrderReply}},
    {tr::kDomesticCmeCancelOrder, {kOrderReply}},
    {tr::kOverseasNewOrder, {kOrderReply}},
    {tr::kOverseasAmendOrder, {kOrderReply}},
    {tr::kOverseasCancelOrder, {kOrderReply}},
    {tr::kFxNewOrder, {kOrderReply}},
    {tr::kFxAmendOrder, {kOrderReply}},
    {tr::kFxCancelOrder, {kOrderReply}},
    {tr::kMasterFile, {kMasterFile, &kMasterFileBlock}},
};

// The header of a master-file download is 140 bytes, and an account of the
// account list 42.
static_assert(Width(kMasterHeader) == 140);
static_assert(Width(kAccountListRow) == 42);
static_assert(Width(kOrderLineBlockRow) == 226);

}  // namespace

std::span<const CodeReply> AccountReplies() {
  return kReplies;
}

}  // namespace zqk::protocol
