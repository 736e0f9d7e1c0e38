#pragma once
// The broker's field names, each written once: the names of the fields of
// replies, real-time records, query inputs and raw blocks, which the console
// reads, the sandbox fills and the layouts of protocol/ list. The names are
// the broker's own, mostly Korean, CP949 like every text of the program, and
// compared exactly. (The 233 names of the domestic symbol record are a table
// of their own, SymbolRecordFields.h.)

#include <array>
#include <string_view>

namespace zqk::field {

// --- Accounts and users.
inline constexpr std::string_view kAccountNumber = "계좌번호";
inline constexpr std::string_view kAccountName = "계좌명";
inline constexpr std::string_view kAccountKind = "계좌구분";
inline constexpr std::string_view kAccountCount = "계좌수";
inline constexpr std::string_view kKind = "구분";
inline constexpr std::string_view kPassword = "비밀번호";
inline constexpr std::string_view kPasswordMatch = "일치여부";
inline constexpr std::string_view kUserId = "사용자ID";
inline constexpr std::string_view kUserToken = "사용자토큰";
inline constexpr std::string_view kLoanKind = "대출구분";
inline constexpr std::string_view kTmp1 = "TMP1";

// --- Processing of a request.
inline constexpr std::string_view kProcessCode = "처리코드";
inline constexpr std::string_view kProcessMessage = "처리메시지";
// The order feed's acceptance and confirmation records spell it with 세.
inline constexpr std::string_view kProcessMessageFeed = "처리메세지";
inline constexpr std::string_view kProcessKind = "처리구분";
inline constexpr std::string_view kProcessDate = "처리일자";
inline constexpr std::string_view kProcessState = "처리상태";
inline constexpr std::string_view kReceiptKind = "접수구분";
inline constexpr std::string_view kReceiptTime = "접수시간";

// --- Products.
inline constexpr std::string_view kProductCode = "종목코드";
inline constexpr std::string_view kProduct = "종목";
inline constexpr std::string_view kProductName = "종목명";
inline constexpr std::string_view kShortName = "종목한글약명";
inline constexpr std::string_view kEnglishName = "영문종목명";
inline constexpr std::string_view kShortCode = "단축코드";
inline constexpr std::string_view kSectorCode = "업종코드";
inline constexpr std::string_view kRootCode = "상품코드";
inline constexpr std::string_view kItemName = "품목명";
inline constexpr std::string_view kExchange = "거래소";
inline constexpr std::string_view kExchangeOrCode = "거래소/종목코드";
inline constexpr std::string_view kProductCount = "종목수";
inline constexpr std::string_view kCurrency = "통화";
inline constexpr std::string_view kCurrencyCode = "통화코드";
inline constexpr std::string_view kCurrencyKind = "통화구분";
inline constexpr std::string_view kListedDate = "상장일";
inline constexpr std::string_view kLastTradingDay = "최종거래일";
inline constexpr std::string_view kDaysToExpiry = "잔존일수";
inline constexpr std::string_view kStrike = "행사가격";
inline constexpr std::string_view kUnderlying = "기초자산코드";
inline constexpr std::string_view kOptionKind = "옵션구분";
inline constexpr std::string_view kTickSize = "틱크기";
inline constexpr std::string_view kTickValue = "틱가치";
inline constexpr std::string_view kContractSize = "계약단위";
inline constexpr std::string_view kTradingUnit = "거래단위";
inline constexpr std::string_view kDecimals = "소수점자리수";
inline constexpr std::string_view kNotation = "진법";
inline constexpr std::string_view kRootName = "상품명";
inline constexpr std::string_view kContractMonth = "결제월";
inline constexpr std::string_view kFractionBase = "가격표시분모";
inline constexpr std::string_view kMarginRate = "증거금률";
inline constexpr std::string_view kCallOrPut = "콜풋구분";

// --- Orders.
inline constexpr std::string_view kOrderNumber = "주문번호";
inline constexpr std::string_view kOriginalOrder = "원주문번호";
inline constexpr std::string_view kBuySell = "매매구분";
inline constexpr std::string_view kPriceType = "가격조건";
inline constexpr std::string_view kFillCondition = "체결조건";
inline constexpr std::string_view kOrderPrice = "주문가격";
inline constexpr std::string_view kStopPrice = "지정가격";
inline constexpr std::string_view kOrderQuantity = "주문수량";
inline constexpr std::string_view kOpenQuantity = "미체결수량";
inline constexpr std::string_view kRemaining = "잔량";
inline constexpr std::string_view kOrderDate = "주문일자";
inline constexpr std::string_view kOrderTime = "주문시간";
inline constexpr std::string_view kOrderOrFill = "주문/체결구분";
inline constexpr std::string_view kConfirmKind = "확인구분";
inline constexpr std::string_view kConfirmPrice = "확인가격";
inline constexpr std::string_view kConfirmQuantity = "확인수량";
// Fields of the order records only.
inline constexpr std::string_view kStrategy = "전략구분";
inline constexpr std::string_view kIocQuantity = "IOC수량";
inline constexpr std::string_view kOptionExercise = "옵션행사";
inline constexpr std::string_view kValidDate = "주문유효일자";
inline constexpr std::string_view kFxOrderType = "주문유형";
inline constexpr std::string_view kUserField = "사용자필드";

// --- Fills, positions and money.
inline constexpr std::string_view kFillNumber = "체결번호";
inline constexpr std::string_view kFillPrice = "체결가격";
inline constexpr std::string_view kFillQuantity = "체결수량";
inline constexpr std::string_view kFillDate = "체결일자";
inline constexpr std::string_view kFillTime = "체결시간";
inline constexpr std::string_view kFee = "수수료";
inline constexpr std::string_view kRealizedProfit = "실현손익";
inline constexpr std::string_view kValuationProfit = "평가손익";
inline constexpr std::string_view kEntryPrice = "진입가격";
inline constexpr std::string_view kEntryQuantity = "진입수량";
inline constexpr std::string_view kClosePrice = "청산가격";
inline constexpr std::string_view kCloseQuantity = "청산수량";
inline constexpr std::string_view kHolding = "보유수량";
inline constexpr std::string_view kAveragePrice = "평균가";
inline constexpr std::string_view kDepositTotal = "예탁금액-총액";
inline constexpr std::string_view kDepositCash = "예탁금액-현금";
inline constexpr std::string_view kDepositDayProfit = "예탁금액-당일손익";
inline constexpr std::string_view kCashDeposit = "예탁금액현금";
inline constexpr std::string_view kProvisionalSettlement = "가결제금액";
inline constexpr std::string_view kValuedDeposit = "평가예탁총액";
inline constexpr std::string_view kDepositSum = "예탁금총액";
inline constexpr std::string_view kDepositBalance = "예탁금잔액";
inline constexpr std::string_view kDepositAmount = "예탁총액";
inline constexpr std::string_view kInitialMargin = "위탁증거금";
inline constexpr std::string_view kMaintenanceMargin = "유지증거금";
inline constexpr std::string_view kOrderable = "주문가능금액";

// --- Prices, quotes and trades.
inline constexpr std::string_view kCurrentPrice = "현재가";
inline constexpr std::string_view kOpen = "시가";
inline constexpr std::string_view kHigh = "고가";
inline constexpr std::string_view kLow = "저가";
inline constexpr std::string_view kClose = "종가";
inline constexpr std::string_view kPrevClose = "전일종가";
inline constexpr std::string_view kChangeSign = "전일대비구분";
inline constexpr std::string_view kChange = "전일대비";
inline constexpr std::string_view kIndexChange = "전일비";
inline constexpr std::string_view kChangeRate = "등락률";
// The real-time records spell it with 율.
inline constexpr std::string_view kChangeRateFeed = "등락율";
inline constexpr std::string_view kIndexValue = "지수";
inline constexpr std::string_view kVolume = "누적거래량";
inline constexpr std::string_view kTradeVolume = "체결량";
inline constexpr std::string_view kBarVolume = "거래량";
inline constexpr std::string_view kTradeSide = "체결구분";
inline constexpr std::string_view kTradePrice = "체결가";
inline constexpr std::string_view kTradeCount = "체결건수";
inline constexpr std::string_view kReferenceTime = "기준체결시간";
inline constexpr std::string_view kTurnover = "거래대금";
inline constexpr std::string_view kTheoreticalPrice = "이론가";
inline constexpr std::string_view kImpliedVolatility = "내재변동성";
inline constexpr std::string_view kDelta = "델타";
inline constexpr std::string_view kGamma = "감마";
inline constexpr std::string_view kTheta = "세타";
inline constexpr std::string_view kVega = "베가";
inline constexpr std::string_view kAsk = "매도호가";
inline constexpr std::string_view kBid = "매수호가";
inline constexpr std::string_view kAskSize = "매도잔량";
inline constexpr std::string_view kBidSize = "매수잔량";
inline constexpr std::string_view kAskPrice = "매도가격";
inline constexpr std::string_view kBidPrice = "매수가격";
inline constexpr std::string_view kBestAskSize = "매도호가잔량";
inline constexpr std::string_view kBestBidSize = "매수호가잔량";
inline constexpr std::string_view kAskSizeTotal = "매도호가총잔량";
inline constexpr std::string_view kBidSizeTotal = "매수호가총잔량";
inline constexpr std::string_view kTotalAskSize = "총매도잔량";
inline constexpr std::string_view kTotalBidSize = "총매수잔량";
inline constexpr std::string_view kSpread = "스프레드";
inline constexpr std::string_view kQuoteTime = "호가시간";
inline constexpr std::string_view kLocalDate = "국내일자";
inline constexpr std::string_view kLocalTime = "국내시간";

// Five levels a side, best first.
inline constexpr std::array<std::string_view, 5> kAskLevels = {
    "매도호가1", "매도호가2", "매도호가3", "매도호가4", "매도호가5"};
inline constexpr std::array<std::string_view, 5> kBidLevels = {
    "매수호가1", "매수호가2", "매수호가3", "매수호가4", "매수호가5"};
inline constexpr std::array<std::string_view, 5> kAskLevelSizes = {
    "매도잔량1", "매도잔량2", "매도잔량3", "매도잔량4", "매도잔량5"};
inline constexpr std::array<std::string_view, 5> kBidLevelSizes = {
    "매수잔량1", "매수잔량2", "매수잔량3", "매수잔량4", "매수잔량5"};
inline constexpr std::array<std::string_view, 5> kAskLevelCounts = {
    "매도건수1", "매도건수2", "매도건수3", "매도건수4", "매도건수5"};
inline constexpr std::array<std::string_view, 5> kBidLevelCounts = {
    "매수건수1", "매수건수2", "매수건수3", "매수건수4", "매수건수5"};

// The domestic best quotes of real type 58 carry Latin names.
inline constexpr std::string_view kFutCode = "kfutcode";
inline constexpr std::string_view kHoTime = "hotime";
inline constexpr std::string_view kTotOfferRem = "totofferrem";
inline constexpr std::string_view kTotBidRem = "totbidrem";
inline constexpr std::array<std::string_view, 5> kOfferHo = {"offerho1", "offerho2", "offerho3",
                                                             "offerho4", "offerho5"};
inline constexpr std::array<std::string_view, 5> kBidHo = {"bidho1", "bidho2", "bidho3", "bidho4",
                                                           "bidho5"};
inline constexpr std::array<std::string_view, 5> kOfferRem = {"offerrem1", "offerrem2", "offerrem3",
                                                              "offerrem4", "offerrem5"};
inline constexpr std::array<std::string_view, 5> kBidRem = {"bidrem1", "bidrem2", "bidrem3",
                                                            "bidrem4", "bidrem5"};
inline constexpr std::array<std::string_view, 5> kOfferCnt = {"offercnt1", "offercnt2", "offercnt3",
                                                              "offercnt4", "offercnt5"};
inline constexpr std::array<std::string_view, 5> kBidCnt = {"bidcnt1", "bidcnt2", "bidcnt3",
                                                            "bidcnt4", "bidcnt5"};

// --- Dates, times and counts.
inline constexpr std::string_view kDate = "일자";
inline constexpr std::string_view kTime = "시간";
inline constexpr std::string_view kStartDate = "시작일자";
inline constexpr std::string_view kStartTime = "시작시간";
inline constexpr std::string_view kDateTime = "날짜시간";
inline constexpr std::string_view kServerDate = "서버일자";
inline constexpr std::string_view kServerTime = "서버시간";
inline constexpr std::string_view kServerMillis = "서버밀리초";
inline constexpr std::string_view kMarketState = "장운영구분";
inline constexpr std::string_view kCount = "건수";
inline constexpr std::string_view kQueryCount = "조회건수";
inline constexpr std::string_view kBarCount = "수신봉개수";
inline constexpr std::string_view kMinutes = "분";
inline constexpr std::string_view kBarMinutes = "분간격";
inline constexpr std::string_view kPeriod = "주기";
inline constexpr std::string_view kEndMoment = "기준시각";
inline constexpr std::string_view kChartCount = "차트카운트";
inline constexpr std::string_view kPreviousKey = "이전키";

// --- News.
inline constexpr std::string_view kNewsId = "뉴스ID";
inline constexpr std::string_view kTitle = "제목";
inline constexpr std::string_view kCategory = "분류";
inline constexpr std::string_view kProvider = "제공처";
inline constexpr std::string_view kTotalSize = "전체사이즈";

// --- Master files: the header of a download.
inline constexpr std::string_view kTrCode = "TR코드";
inline constexpr std::string_view kAnswerCode = "응답코드";
inline constexpr std::string_view kFileName = "파일명";
inline constexpr std::string_view kFileSize = "파일크기";
inline constexpr std::string_view kRowCount = "레코드수";
inline constexpr std::string_view kRowLength = "레코드길이";
inline constexpr std::string_view kMadeDate = "생성일자";
inline constexpr std::string_view kMadeTime = "생성시각";
inline constexpr std::string_view kAnswerMessage = "응답메시지";

// Bytes of a block that carry nothing.
inline constexpr std::string_view kReserved = "예비";

}  // namespace zqk::field
