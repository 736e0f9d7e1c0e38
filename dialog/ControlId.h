#pragma once
// Control IDs of the main dialog's template. A strong type, so that a control ID
// is never mixed up with a list index or a line number.

#include <compare>
#include <cstdint>
#include <functional>

namespace zqk {

struct ControlId {
  int value = 0;
  constexpr auto operator<=>(const ControlId&) const = default;
};

// A list index (item position within a drop-down or list box); -1 is "no selection".
struct ListIndex {
  int value = -1;
  constexpr auto operator<=>(const ListIndex&) const = default;
  constexpr bool IsValid() const { return value >= 0; }
};
inline constexpr ListIndex kNoSelection{-1};

// Labels that the template leaves without an ID ("TrCode:", "Input:", ...).
inline constexpr ControlId kStaticId{-1};

namespace id {
inline constexpr ControlId kLogin{1000};
inline constexpr ControlId kLogout{1001};
inline constexpr ControlId kUserId{1002};
inline constexpr ControlId kPassword{1003};
inline constexpr ControlId kCertPassword{1004};
inline constexpr ControlId kConnect{1005};
inline constexpr ControlId kDisconnect{1006};
inline constexpr ControlId kRqTest{1007};
inline constexpr ControlId kTrMode{1008};
inline constexpr ControlId kFidMode{1009};
inline constexpr ControlId kTrCode{1010};
inline constexpr ControlId kFidCode{1011};
inline constexpr ControlId kTrInput{1012};
inline constexpr ControlId kFidInput{1013};
inline constexpr ControlId kRealRegister{1014};
inline constexpr ControlId kRealUnregister{1015};
inline constexpr ControlId kRealKey{1016};
inline constexpr ControlId kRealType{1017};
inline constexpr ControlId kOrderRealRegister{1018};
inline constexpr ControlId kOrderRealUnregister{1019};
inline constexpr ControlId kOrderRealAccount{1020};
inline constexpr ControlId kSendOrder{1021};
inline constexpr ControlId kOrderTrCode{1022};
inline constexpr ControlId kOrderRecord{1023};
inline constexpr ControlId kMultiLineEdit{1024};
inline constexpr ControlId kFidFieldList{1025};
inline constexpr ControlId kLog{1026};
inline constexpr ControlId kRealProduct{1027};
inline constexpr ControlId kRealTime{1028};
inline constexpr ControlId kRealPrice{1029};
inline constexpr ControlId kRealVolume{1030};
inline constexpr ControlId kInfoName{1031};
inline constexpr ControlId kOverseasAllMst{1032};
inline constexpr ControlId kDomestic{1033};
inline constexpr ControlId kOverseas{1034};
inline constexpr ControlId kFxMargin{1035};
inline constexpr ControlId kDomesticTDays{1036};
inline constexpr ControlId kOverseasTDays{1037};
inline constexpr ControlId kGetInfoTest{1038};
inline constexpr ControlId kSaveLog{1039};
inline constexpr ControlId kOrderAccount{1040};
inline constexpr ControlId kOverseasOptionMst{1041};
inline constexpr ControlId kOverseasFuturesMst{1042};
inline constexpr ControlId kOrderPassword{1043};
inline constexpr ControlId kClearLog{1044};
inline constexpr ControlId kOrderProduct{1045};
inline constexpr ControlId kApplyOrder{1046};
inline constexpr ControlId kBuySell{1047};
inline constexpr ControlId kPriceType{1048};
inline constexpr ControlId kFillCondition{1049};
inline constexpr ControlId kOrderPrice{1050};
inline constexpr ControlId kOrderQuantity{1051};
inline constexpr ControlId kOrigOrderNo{1052};
inline constexpr ControlId kStrategy{1053};
inline constexpr ControlId kDesignatedPrice{1054};
inline constexpr ControlId kIocQuantity{1055};
inline constexpr ControlId kOptionExercise{1056};
inline constexpr ControlId kValidDate{1057};
inline constexpr ControlId kOrderKind{1058};
inline constexpr ControlId kUserField{1059};
inline constexpr ControlId kStrategyLabel{1062};
inline constexpr ControlId kOrigOrderNoLabel{1067};
inline constexpr ControlId kKorean{1068};
inline constexpr ControlId kEnglish{1069};
// The agent control's child window (created by Connect).
inline constexpr ControlId kAgentControl{2286};
// Labels and group boxes, named so that the tables read by name.
inline constexpr ControlId kDesignatedPriceLabel{1063};
inline constexpr ControlId kIocQuantityLabel{1064};
inline constexpr ControlId kOptionExerciseLabel{1065};
inline constexpr ControlId kValidDateLabel{1066};
inline constexpr ControlId kUserIdLabel{1070};
inline constexpr ControlId kPasswordLabel{1071};
inline constexpr ControlId kCertPasswordLabel{1072};
inline constexpr ControlId kQueryGroup{1073};
inline constexpr ControlId kQuoteRealGroup{1074};
inline constexpr ControlId kOrderRealGroup{1075};
inline constexpr ControlId kOrderRealAccountLabel{1076};
inline constexpr ControlId kRealProductLabel{1077};
inline constexpr ControlId kRealTimeLabel{1078};
inline constexpr ControlId kRealPriceLabel{1079};
inline constexpr ControlId kRealVolumeLabel{1080};
inline constexpr ControlId kOrderGroup{1081};
inline constexpr ControlId kOrderAccountLabel{1082};
inline constexpr ControlId kOrderPasswordLabel{1083};
inline constexpr ControlId kOrderProductLabel{1084};
inline constexpr ControlId kBuySellLabel{1085};
inline constexpr ControlId kPriceTypeLabel{1086};
inline constexpr ControlId kFillConditionLabel{1087};
inline constexpr ControlId kOrderPriceLabel{1088};
inline constexpr ControlId kOrderQuantityLabel{1089};
inline constexpr ControlId kUserFieldLabel{1090};
inline constexpr ControlId kOrderTrCodeLabel{1091};
inline constexpr ControlId kLoginGroup{1092};
// The About box's OK button (the framework's IDOK).
inline constexpr ControlId kOk{1};
}  // namespace id

}  // namespace zqk

template <>
struct std::hash<zqk::ControlId> {
  size_t operator()(zqk::ControlId c) const noexcept { return std::hash<int>()(c.value); }
};
