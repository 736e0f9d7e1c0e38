#include "dialog/LanguageTables.h"

#include <array>

namespace zqk {
namespace {

constexpr auto kCaptions = std::to_array<CaptionPair>({
    {ControlId{1092}, "로그인", "Login"},
    {ControlId{1000}, "로그인", "Sign In"},
    {ControlId{1001}, "로그아웃", "Sign Out"},
    {ControlId{1005}, "통신연결", "Connect"},
    {ControlId{1006}, "통신종료", "Disconnect"},
    {ControlId{1036}, "국내영업일", "Domestic T-Days"},
    {ControlId{1037}, "해외영업일", "Overseas T-Days"},
    {ControlId{1038}, "GetInfoTest", "GetInfo Test"},
    {ControlId{1070}, "사용자ID:", "UserID:"},
    {ControlId{1071}, "비밀번호:", "Password"},
    {ControlId{1072}, "공인인증비번:", "Cert. Pw"},
    {ControlId{1073}, "조회", "View"},
    {ControlId{1008}, "TR 통신", "Tr Communication"},
    {ControlId{1009}, "FID 통신", "FID Communication"},
    {ControlId{1033}, "국내", "Domestic"},
    {ControlId{1034}, "해외", "Overseas"},
    {ControlId{1035}, "FX", "FX Margin"},
    {ControlId{1074}, "시세리얼입력", "Market Quotes Real Input"},
    {ControlId{1014}, "리얼등록", "Register"},
    {ControlId{1015}, "리얼해지", "Unregister"},
    {ControlId{1075}, "주문리얼입력", "Order Real Input"},
    {ControlId{1018}, "주문체결등록", "Reg. Filled Order"},
    {ControlId{1019}, "주문체결해지", "Cancel Filled Order"},
    {ControlId{1076}, "계좌번호:", "Account Num"},
    {ControlId{1077}, "종목", "Product"},
    {ControlId{1078}, "시간", "Time"},
    {ControlId{1079}, "가격", "Price"},
    {ControlId{1080}, "거래량", "Trade"},
    {ControlId{1081}, "주문", "Order"},
    {ControlId{1082}, "계좌번호", "AcctNo"},
    {ControlId{1083}, "비밀번호", "AcctPw"},
    {ControlId{1084}, "종목", "Product"},
    {ControlId{1085}, "매매구분", "Order Classification"},
    {ControlId{1086}, "가격조건", "Type"},
    {ControlId{1087}, "체결조건", "Condition"},
    {ControlId{1088}, "주문가격", "Price"},
    {ControlId{1089}, "주문수량", "Quantity"},
    {ControlId{1062}, "전략구분", "전략구분"},
    {ControlId{1063}, "지정가격", "지정가격"},
    {ControlId{1064}, "IOC수량", "IOC수량"},
    {ControlId{1065}, "옵션행사", "옵션행사"},
    {ControlId{1067}, "정정/취소주문번호", "Amend/Cancel Order"},
    {ControlId{1090}, "사용자필드", "User Field"},
    {ControlId{1066}, "주문유효일자", "주문유효일자"},
    {ControlId{1091}, "주문Tr", "Order TR"},
    {ControlId{1046}, "주문적용▼", "Apply Order▼"},
    {ControlId{1021}, "주문전송", "Send Order"},
    {ControlId{1039}, "로그저장", "Save Log"},
    {ControlId{1044}, "로그지우기", "Clear Log"},
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
