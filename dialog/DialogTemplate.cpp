#include "dialog/DialogTemplate.h"

#include <array>

namespace zqk {
namespace {

constexpr std::array kMainControls = std::to_array<ControlTemplate>({
    {id::kUserId, ControlKind::kEdit, "", {43, 33, 54, 14}, 0},
    {id::kPassword, ControlKind::kEdit, "", {140, 33, 51, 14}, kPassword},
    {id::kConnect, ControlKind::kPushButton, "통신연결", {179, 13, 70, 15}, 0},
    {id::kLogin, ControlKind::kPushButton, "로그인", {11, 13, 34, 14}, 0},
    {id::kDisconnect, ControlKind::kPushButton, "통신종료", {252, 13, 50, 15}, 0},
    {id::kLogout, ControlKind::kPushButton, "로그아웃", {48, 13, 34, 14}, 0},
    {id::kCertPassword, ControlKind::kEdit, "", {255, 32, 54, 14}, kPassword},
    {id::kRqTest, ControlKind::kPushButton, "RqTest", {13, 68, 34, 14}, 0},
    {id::kTrMode, ControlKind::kRadioButton, "TR 통신", {56, 70, 72, 10}, kGroupStart},
    {id::kFidMode, ControlKind::kRadioButton, "FID 통신", {132, 70, 72, 10}, 0},
    {id::kDomestic, ControlKind::kRadioButton, "국내", {234, 71, 41, 10}, kGroupStart},
    {id::kOverseas, ControlKind::kRadioButton, "해외", {279, 71, 41, 10}, 0},
    {id::kFxMargin, ControlKind::kRadioButton, "FX마진", {321, 71, 41, 10}, 0},
    {id::kTrCode, ControlKind::kEdit, "", {45, 88, 82, 14}, 0},
    {id::kTrInput, ControlKind::kEdit, "", {163, 88, 285, 14}, 0},
    {id::kFidCode, ControlKind::kEdit, "", {45, 103, 82, 14}, 0},
    {id::kFidInput, ControlKind::kEdit, "", {163, 103, 65, 14}, 0},
    {id::kFidFieldList, ControlKind::kEdit, "", {366, 103, 82, 14}, 0},
    {id::kRealRegister, ControlKind::kPushButton, "리얼등록", {13, 132, 41, 14}, 0},
    {id::kRealUnregister, ControlKind::kPushButton, "리얼해지", {56, 132, 41, 14}, 0},
    {id::kRealKey, ControlKind::kEdit, "", {49, 148, 82, 14}, 0},
    {id::kRealType, ControlKind::kEdit, "", {49, 163, 45, 14}, 0},
    {id::kOrderRealRegister, ControlKind::kPushButton, "주문체결등록", {12, 194, 86, 14}, 0},
    {id::kOrderRealUnregister, ControlKind::kPushButton, "주문체결취소", {12, 211, 86, 14}, 0},
    {id::kOrderRealAccount, ControlKind::kEdit, "", {47, 226, 82, 14}, 0},
    {id::kSendOrder, ControlKind::kPushButton, "주문전송", {393, 218, 48, 14}, 0},
    {id::kOrderTrCodeLabel, ControlKind::kStaticText, "주문TR:", {148, 221, 26, 8}, 0},
    {id::kOrderTrCode, ControlKind::kEdit, "", {223, 218, 67, 14}, 0},
    {id::kOrderRecord, ControlKind::kEdit, "", {168, 235, 273, 14}, 0},
    {id::kMultiLineEdit, ControlKind::kEdit, "", {7, 260, 441, 27}, kMultiLine},
    {id::kLoginGroup, ControlKind::kGroupBox, "로그인", {7, 2, 441, 52}, 0},
    {id::kUserIdLabel, ControlKind::kStaticText, "사용자ID:", {11, 36, 31, 8}, 0},
    {id::kPasswordLabel, ControlKind::kStaticText, "비밀번호:", {108, 36, 31, 8}, 0},
    {id::kCertPasswordLabel, ControlKind::kStaticText, "공인인증비번:", {204, 35, 50, 8}, 0},
    {id::kQueryGroup, ControlKind::kGroupBox, "조회", {7, 57, 441, 62}, 0},
    {kStaticId, ControlKind::kStaticText, "TrCode:", {13, 90, 26, 8}, 0},
    {kStaticId, ControlKind::kStaticText, "FIDCode:", {14, 105, 30, 8}, 0},
    {kStaticId, ControlKind::kStaticText, "Input:", {140, 90, 20, 8}, 0},
    {kStaticId, ControlKind::kStaticText, "Input:", {140, 105, 20, 8}, 0},
    {kStaticId, ControlKind::kStaticText, "Input:", {146, 237, 20, 8}, 0},
    {id::kQuoteRealGroup, ControlKind::kGroupBox, "시세 리얼 입력", {7, 121, 132, 59}, 0},
    {kStaticId, ControlKind::kStaticText, "FIDCode:", {15, 151, 30, 8}, 0},
    {kStaticId, ControlKind::kStaticText, "RealType:", {15, 166, 32, 8}, 0},
    {id::kOrderRealGroup, ControlKind::kGroupBox, "주문 리얼 입력", {7, 182, 128, 65}, 0},
    {id::kOrderRealAccountLabel, ControlKind::kStaticText, "계좌번호:", {14, 229, 31, 8}, 0},
    {id::kOrderGroup, ControlKind::kGroupBox, "주문", {144, 142, 304, 110}, 0},
    {id::kLog, ControlKind::kListBox, "", {7, 290, 441, 62}, 0},
    {id::kRealProduct, ControlKind::kEdit, "", {167, 125, 55, 14}, kReadOnly},
    {id::kRealTime, ControlKind::kEdit, "", {239, 125, 55, 14}, kReadOnly},
    {id::kRealPrice, ControlKind::kEdit, "", {312, 125, 55, 14}, kReadOnly},
    {id::kRealVolume, ControlKind::kEdit, "", {393, 124, 55, 14}, kReadOnly},
    {id::kRealProductLabel, ControlKind::kStaticText, "종목", {143, 129, 24, 8}, 0},
    {id::kRealTimeLabel, ControlKind::kStaticText, "시간", {222, 129, 16, 8}, 0},
    {id::kRealPriceLabel, ControlKind::kStaticText, "가격", {295, 129, 15, 8}, 0},
    {id::kRealVolumeLabel, ControlKind::kStaticText, "거래량", {372, 127, 19, 8}, 0},
    {id::kOverseasAllMst, ControlKind::kPushButton, "해외_모든MST파일수신", {380, 50, 68, 12}, 0},
    {id::kDomesticTDays, ControlKind::kPushButton, "국내영업일", {317, 11, 61, 14}, 0},
    {id::kOverseasTDays, ControlKind::kPushButton, "해외영업일", {317, 26, 61, 14}, 0},
    {id::kGetInfoTest, ControlKind::kPushButton, "GetInfo테스트", {379, 10, 50, 14}, 0},
    {id::kInfoName, ControlKind::kEdit, "", {380, 26, 67, 14}, 0},
    {id::kOverseasOptionMst,
     ControlKind::kPushButton,
     "해외_옵션MST파일수신",
     {380, 74, 68, 12},
     0},
    {id::kOverseasFuturesMst,
     ControlKind::kPushButton,
     "해외_선물MST파일수신",
     {380, 62, 68, 12},
     0},
    {id::kSaveLog, ControlKind::kPushButton, "로그저장", {266, 356, 34, 14}, 0},
    {id::kClearLog, ControlKind::kPushButton, "로그지우기", {414, 356, 34, 14}, 0},
    {id::kOrderProductLabel, ControlKind::kStaticText, "종목", {290, 152, 29, 8}, 0},
    {id::kOrderPasswordLabel, ControlKind::kStaticText, "비밀번호", {232, 152, 25, 8}, 0},
    {id::kOrderAccount, ControlKind::kEdit, "", {181, 150, 48, 14}, 0},
    {id::kOrderAccountLabel, ControlKind::kStaticText, "계좌번호:", {148, 153, 31, 8}, 0},
    {id::kOrderPassword, ControlKind::kEdit, "", {259, 150, 25, 14}, kPassword | kDigitsOnly},
    {id::kOrderProduct, ControlKind::kEdit, "", {321, 150, 47, 14}, 0},
    {id::kApplyOrder, ControlKind::kPushButton, "주문적용▼", {335, 218, 50, 14}, 0},
    {id::kBuySellLabel, ControlKind::kStaticText, "매매구분", {374, 153, 27, 8}, 0},
    {id::kBuySell, ControlKind::kDropDownList, "", {403, 151, 40, 63}, 0},
    {id::kPriceTypeLabel, ControlKind::kStaticText, "가격조건", {149, 169, 27, 8}, 0},
    {id::kPriceType, ControlKind::kDropDownList, "", {180, 167, 40, 70}, 0},
    {id::kFillConditionLabel, ControlKind::kStaticText, "체결조건", {227, 169, 32, 8}, 0},
    {id::kFillCondition, ControlKind::kDropDownList, "", {261, 167, 40, 81}, 0},
    {id::kOrderPrice, ControlKind::kEdit, "", {336, 167, 35, 14}, 0},
    {id::kOrderPriceLabel, ControlKind::kStaticText, "주문가격", {303, 170, 29, 8}, 0},
    {id::kOrderQuantity, ControlKind::kEdit, "", {413, 166, 31, 14}, 0},
    {id::kOrderQuantityLabel, ControlKind::kStaticText, "주문수량", {380, 169, 31, 8}, 0},
    {id::kOrigOrderNo, ControlKind::kEdit, "", {215, 202, 48, 13}, 0},
    {id::kOrigOrderNoLabel, ControlKind::kStaticText, "정정/취소주문번호", {146, 205, 67, 9}, 0},
    {id::kStrategyLabel, ControlKind::kStaticText, "전략구분", {150, 185, 27, 8}, 0},
    {id::kStrategy, ControlKind::kDropDownList, "", {181, 182, 43, 58}, 0},
    {id::kDesignatedPrice, ControlKind::kEdit, "", {259, 183, 48, 14}, 0},
    {id::kDesignatedPriceLabel, ControlKind::kStaticText, "지정가격", {226, 186, 31, 8}, 0},
    {id::kIocQuantity, ControlKind::kEdit, "", {347, 183, 19, 14}, 0},
    {id::kIocQuantityLabel, ControlKind::kStaticText, "IOC수량", {314, 186, 31, 8}, 0},
    {id::kOptionExercise, ControlKind::kEdit, "", {398, 182, 21, 14}, 0},
    {id::kOptionExerciseLabel, ControlKind::kStaticText, "옵션행사", {372, 185, 24, 8}, 0},
    {id::kValidDate, ControlKind::kEdit, "", {411, 199, 34, 14}, 0},
    {id::kValidDateLabel, ControlKind::kStaticText, "주문유효일자", {369, 202, 36, 8}, 0},
    {id::kOrderKind, ControlKind::kDropDownList, "", {176, 219, 40, 67}, 0},
    {id::kUserField, ControlKind::kEdit, "", {298, 201, 70, 13}, 0},
    {id::kUserFieldLabel, ControlKind::kStaticText, "사용자필드", {266, 204, 31, 8}, 0},
    {id::kKorean, ControlKind::kRadioButton, "KOR", {97, 13, 25, 12}, kGroupStart},
    {id::kEnglish, ControlKind::kRadioButton, "ENG", {124, 13, 24, 12}, 0},
});

// The About box: the name and version line and an OK button.
constexpr std::array kAboutControls = std::to_array<ControlTemplate>({
    {kStaticId,
     ControlKind::kStaticText,
     "ZQKCommClient, 버전 1.0.0.1",
     {10, 14, 150, 8},
     kCentered},
    {id::kOk, ControlKind::kPushButton, "확인", {60, 38, 50, 14}, kDefaultButton},
});

constexpr DialogTemplate kMain{"ZQKCommClient", 455, 377, "MS Shell Dlg", 9, kMainControls};
constexpr DialogTemplate kAbout{"ZQKCommClient 정보", 170, 62, "MS Shell Dlg", 9, kAboutControls};

}  // namespace

const ControlTemplate* DialogTemplate::Find(ControlId id) const {
  if (id == kStaticId) return nullptr;
  for (const ControlTemplate& c : controls) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

const DialogTemplate& MainDialogTemplate() {
  return kMain;
}
const DialogTemplate& AboutDialogTemplate() {
  return kAbout;
}

}  // namespace zqk
