#include "dialog/LanguageTables.h"

#include <array>

namespace zqk {
namespace {

constexpr auto kCaptions = std::to_array<CaptionPair>({
    {id::kLoginGroup, "로그인", "Login"},
    {id::kLogin, "로그인", "Sign In"},
    {id::kLogout, "로그아웃", "Sign Out"},
    {id::kConnect, "통신연결", "Connect"},
    {id::kDisconnect, "통신종료", "Disconnect"},
    {id::kDomesticTDays, "국내영업일", "Domestic T-Days"},
    {id::kOverseasTDays, "해외영업일", "Overseas T-Days"},
    {id::kGetInfoTest, "GetInfoTest", "GetInfo Test"},
    {id::kUserIdLabel, "사용자ID:", "UserID:"},
    {id::kPasswordLabel, "비밀번호:", "Password"},
    {id::kCertPasswordLabel, "공인인증비번:", "Cert. Pw"},
    {id::kQueryGroup, "조회", "View"},
    {id::kTrMode, "TR 통신", "Tr Communication"},
    {id::kFidMode, "FID 통신", "FID Communication"},
    {id::kDomestic, "국내", "Domestic"},
    {id::kOverseas, "해외", "Overseas"},
    {id::kFxMargin, "FX", "FX Margin"},
    {id::kQuoteRealGroup, "시세리얼입력", "Market Quotes Real Input"},
    {id::kRealRegister, "리얼등록", "Register"},
    {id::kRealUnregister, "리얼해지", "Unregister"},
    {id::kOrderRealGroup, "주문리얼입력", "Order Real Input"},
    {id::kOrderRealRegister, "주문체결등록", "Reg. Filled Order"},
    {id::kOrderRealUnregister, "주문체결해지", "Cancel Filled Order"},
    {id::kOrderRealAccountLabel, "계좌번호:", "Account Num"},
    {id::kRealProductLabel, "종목", "Product"},
    {id::kRealTimeLabel, "시간", "Time"},
    {id::kRealPriceLabel, "가격", "Price"},
    {id::kRealVolumeLabel, "거래량", "Trade"},
    {id::kOrderGroup, "주문", "Order"},
    {id::kOrderAccountLabel, "계좌번호", "AcctNo"},
    {id::kOrderPasswordLabel, "비밀번호", "AcctPw"},
    {id::kOrderProductLabel, "종목", "Product"},
    {id::kBuySellLabel, "매매구분", "Order Classification"},
    {id::kPriceTypeLabel, "가격조건", "Type"},
    {id::kFillConditionLabel, "체결조건", "Condition"},
    {id::kOrderPriceLabel, "주문가격", "Price"},
    {id::kOrderQuantityLabel, "주문수량", "Quantity"},
    {id::kStrategyLabel, "전략구분", "전략구분"},
    {id::kDesignatedPriceLabel, "지정가격", "지정가격"},
    {id::kIocQuantityLabel, "IOC수량", "IOC수량"},
    {id::kOptionExerciseLabel, "옵션행사", "옵션행사"},
    {id::kOrigOrderNoLabel, "정정/취소주문번호", "Amend/Cancel Order"},
    {id::kUserFieldLabel, "사용자필드", "User Field"},
    {id::kValidDateLabel, "주문유효일자", "주문유효일자"},
    {id::kOrderTrCodeLabel, "주문Tr", "Order TR"},
    {id::kApplyOrder, "주문적용▼", "Apply Order▼"},
    {id::kSendOrder, "주문전송", "Send Order"},
    {id::kSaveLog, "로그저장", "Save Log"},
    {id::kClearLog, "로그지우기", "Clear Log"},
});

constexpr std::array<std::string_view, 2> kBuySellKorean{"1.매수", "2.매도"};
constexpr std::array<std::string_view, 2> kBuySellEnglish{"1.Buy", "2.Sell"};
constexpr std::array<std::string_view, 2> kPriceTypeKorean{"1.지정가", "2.시장가"};
constexpr std::array<std::string_view, 2> kPriceTypeEnglish{"1.Limit Price", "2.Market Price"};
constexpr std::array<std::string_view, 4> kStrategies{"1.일반", "2.STOP", "3.OCO", "4.가격예약"};

constexpr std::array<LanguageList, 3> kLists{{
    {id::kBuySell, kBuySellKorean, kBuySellEnglish},
    {id::kPriceType, kPriceTypeKorean, kPriceTypeEnglish},
    {id::kStrategy, kStrategies, kStrategies},
}};

constexpr std::array<std::string_view, 6> kOrderKindsKorean{"신규",    "정정",    "취소",
                                                            "CME신규", "CME정정", "CME취소"};
constexpr std::array<std::string_view, 6> kOrderKindsEnglish{"New",     "Amend",     "Cancel",
                                                             "CME New", "CME Amend", "CME Cancel"};
constexpr LanguageList kDomesticOrderKinds{id::kOrderKind, kOrderKindsKorean, kOrderKindsEnglish};

}  // namespace

std::span<const CaptionPair> LanguageCaptions() {
  return kCaptions;
}

const CaptionPair* FindCaption(ControlId id) {
  for (const CaptionPair& c : kCaptions) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

std::span<const LanguageList> LanguageLists() {
  return kLists;
}

const LanguageList& DomesticOrderKinds() {
  return kDomesticOrderKinds;
}

}  // namespace zqk
