#include "dialog/DialogTemplate.h"

#include <array>

namespace zqk {
namespace {

constexpr std::array kMainControls = std::to_array<ControlTemplate>({
    {ControlId{1002}, ControlKind::kEdit, "", {43, 33, 54, 14}, 0},
    {ControlId{1003}, ControlKind::kEdit, "", {140, 33, 51, 14}, kPassword},
    {ControlId{1005}, ControlKind::kPushButton, "통신연결", {179, 13, 70, 15}, 0},
    {ControlId{1000}, ControlKind::kPushButton, "로그인", {11, 13, 34, 14}, 0},
    {ControlId{1006}, ControlKind::kPushButton, "통신종료", {252, 13, 50, 15}, 0},
    {ControlId{1001}, ControlKind::kPushButton, "로그아웃", {48, 13, 34, 14}, 0},
    {ControlId{1004}, ControlKind::kEdit, "", {255, 32, 54, 14}, kPassword},
    {ControlId{1007}, ControlKind::kPushButton, "RqTest", {13, 68, 34, 14}, 0},
    {ControlId{1008}, ControlKind::kRadioButton, "TR 통신", {56, 70, 72, 10}, kGroupStart},
    {ControlId{1009}, ControlKind::kRadioButton, "FID 통신", {132, 70, 72, 10}, 0},
    {ControlId{1033}, ControlKind::kRadioButton, "국내", {234, 71, 41, 10}, kGroupStart},
    {ControlId{1034}, ControlKind::kRadioButton, "해외", {279, 71, 41, 10}, 0},
    {ControlId{1035}, ControlKind::kRadioButton, "FX마진", {321, 71, 41, 10}, 0},
    {ControlId{1010}, ControlKind::kEdit, "", {45, 88, 82, 14}, 0},
    {ControlId{1012}, ControlKind::kEdit, "", {163, 88, 285, 14}, 0},
    {ControlId{1011}, ControlKind::kEdit, "", {45, 103, 82, 14}, 0},
    {ControlId{1013}, ControlKind::kEdit, "", {163, 103, 65, 14}, 0},
    {ControlId{1025}, ControlKind::kEdit, "", {366, 103, 82, 14}, 0},
    {ControlId{1014}, ControlKind::kPushButton, "리얼등록", {13, 132, 41, 14}, 0},
    {ControlId{1015}, ControlKind::kPushButton, "리얼해지", {56, 132, 41, 14}, 0},
    {ControlId{1016}, ControlKind::kEdit, "", {49, 148, 82, 14}, 0},
    {ControlId{1017}, ControlKind::kEdit, "", {49, 163, 45, 14}, 0},
    {ControlId{1018}, ControlKind::kPushButton, "주문체결등록", {12, 194, 86, 14}, 0},
    {ControlId{1019}, ControlKind::kPushButton, "주문체결취소", {12, 211, 86, 14}, 0},
    {ControlId{1020}, ControlKind::kEdit, "", {47, 226, 82, 14}, 0},
    {ControlId{1021}, ControlKind::kPushButton, "주문전송", {393, 218, 48, 14}, 0},
    {ControlId{1091}, ControlKind::kStaticText, "주문TR:", {148, 221, 26, 8}, 0},
    {ControlId{1022}, ControlKind::kEdit, "", {223, 218, 67, 14}, 0},
    {ControlId{1023}, ControlKind::kEdit, "", {168, 235, 273, 14}, 0},
    {ControlId{1024}, ControlKind::kEdit, "", {7, 260, 441, 27}, kMultiLine},
    {ControlId{1092}, ControlKind::kGroupBox, "로그인", {7, 2, 441, 52}, 0},
    {ControlId{1070}, ControlKind::kStaticText, "사용자ID:", {11, 36, 31, 8}, 0},
    {ControlId{1071}, ControlKind::kStaticText, "비밀번호:", {108, 36, 31, 8}, 0},
    {ControlId{1072}, ControlKind::kStaticText, "공인인증비번:", {204, 35, 50, 8}, 0},
    {ControlId{1073}, ControlKind::kGroupBox, "조회", {7, 57, 441, 62}, 0},
    {kStaticId, ControlKind::kStaticText, "TrCode:", {13, 90, 26, 8}, 0},
    {kStaticId, ControlKind::kStaticText, "FIDCode:", {14, 105, 30, 8}, 0},
    {kStaticId, ControlKind::kStaticText, "Input:", {140, 90, 20, 8}, 0},
    {kStaticId, ControlKind::kStaticText, "Input:", {140, 105, 20, 8}, 0},
    {kStaticId, ControlKind::kStaticText, "Input:", {146, 237, 20, 8}, 0},
    {ControlId{1074}, ControlKind::kGroupBox, "시세 리얼 입력", {7, 121, 132, 59}, 0},
    {kStaticId, ControlKind::kStaticText, "FIDCode:", {15, 151, 30, 8}, 0},
    {kStaticId, ControlKind::kStaticText, "RealType:", {15, 166, 32, 8}, 0},
    {ControlId{1075}, ControlKind::kGroupBox, "주문 리얼 입력", {7, 182, 128, 65}, 0},
    {ControlId{1076}, ControlKind::kStaticText, "계좌번호:", {14, 229, 31, 8}, 0},
    {ControlId{1081}, ControlKind::kGroupBox, "주문", {144, 142, 304, 110}, 0},
    {ControlId{1026}, ControlKind::kListBox, "", {7, 290, 441, 62}, 0},
    {ControlId{1027}, ControlKind::kEdit, "", {167, 125, 55, 14}, kReadOnly},
    {ControlId{1028}, ControlKind::kEdit, "", {239, 125, 55, 14}, kReadOnly},
    {ControlId{1029}, ControlKind::kEdit, "", {312, 125, 55, 14}, kReadOnly},
    {ControlId{1030}, ControlKind::kEdit, "", {393, 124, 55, 14}, kReadOnly},
    {ControlId{1077}, ControlKind::kStaticText, "종목", {143, 129, 24, 8}, 0},
    {ControlId{1078}, ControlKind::kStaticText, "시간", {222, 129, 16, 8}, 0},
    {ControlId{1079}, ControlKind::kStaticText, "가격", {295, 129, 15, 8}, 0},
    {ControlId{1080}, ControlKind::kStaticText, "거래량", {372, 127, 19, 8}, 0},
    {ControlId{1032}, ControlKind::kPushButton, "해외_모든MST파일수신", {380, 50, 68, 12}, 0},
    {ControlId{1036}, ControlKind::kPushButton, "국내영업일", {317, 11, 61, 14}, 0},
    {ControlId{1037}, ControlKind::kPushButton, "해외영업일", {317, 26, 61, 14}, 0},
    {ControlId{1038}, ControlKind::kPushButton, "GetInfo테스트", {379, 10, 50, 14}, 0},
    {ControlId{1031}, ControlKind::kEdit, "", {380, 26, 67, 14}, 0},
    {ControlId{1041}, ControlKind::kPushButton, "해외_옵션MST파일수신", {380, 74, 68, 12}, 0},
    {ControlId{1042}, ControlKind::kPushButton, "해외_선물MST파일수신", {380, 62, 68, 12}, 0},
    {ControlId{1039}, ControlKind::kPushButton, "로그저장", {266, 356, 34, 14}, 0},
    {ControlId{1044}, ControlKind::kPushButton, "로그지우기", {414, 356, 34, 14}, 0},
    {ControlId{1084}, ControlKind::kStaticText, "종목", {290, 152, 29, 8}, 0},
    {ControlId{1083}, ControlKind::kStaticText, "비밀번호", {232, 152, 25, 8}, 0},
    {ControlId{1040}, ControlKind::kEdit, "", {181, 150, 48, 14}, 0},
    {ControlId{1082}, ControlKind::kStaticText, "계좌번호:", {148, 153, 31, 8}, 0},
    {ControlId{1043}, ControlKind::kEdit, "", {259, 150, 25, 14}, kPassword | kDigitsOnly},
    {ControlId{1045}, ControlKind::kEdit, "", {321, 150, 47, 14}, 0},
    {ControlId{1046}, ControlKind::kPushButton, "주문적용▼", {335, 218, 50, 14}, 0},
    {ControlId{1085}, ControlKind::kStaticText, "매매구분", {374, 153, 27, 8}, 0},
    {ControlId{1047}, ControlKind::kDropDownList, "", {403, 151, 40, 63}, 0},
    {ControlId{1086}, ControlKind::kStaticText, "가격조건", {149, 169, 27, 8}, 0},
    {ControlId{1048}, ControlKind::kDropDownList, "", {180, 167, 40, 70}, 0},
    {ControlId{1087}, ControlKind::kStaticText, "체결조건", {227, 169, 32, 8}, 0},
    {ControlId{1049}, ControlKind::kDropDownList, "", {261, 167, 40, 81}, 0},
    {ControlId{1050}, ControlKind::kEdit, "", {336, 167, 35, 14}, 0},
    {ControlId{1088}, ControlKind::kStaticText, "주문가격", {303, 170, 29, 8}, 0},
    {ControlId{1051}, ControlKind::kEdit, "", {413, 166, 31, 14}, 0},
    {ControlId{1089}, ControlKind::kStaticText, "주문수량", {380, 169, 31, 8}, 0},
    {ControlId{1052}, ControlKind::kEdit, "", {215, 202, 48, 13}, 0},
    {ControlId{1067}, ControlKind::kStaticText, "정정/취소주문번호", {146, 205, 67, 9}, 0},
    {ControlId{1062}, ControlKind::kStaticText, "전략구분", {150, 185, 27, 8}, 0},
    {ControlId{1053}, ControlKind::kDropDownList, "", {181, 182, 43, 58}, 0},
    {ControlId{1054}, ControlKind::kEdit, "", {259, 183, 48, 14}, 0},
    {ControlId{1063}, ControlKind::kStaticText, "지정가격", {226, 186, 31, 8}, 0},
    {ControlId{1055}, ControlKind::kEdit, "", {347, 183, 19, 14}, 0},
    {ControlId{1064}, ControlKind::kStaticText, "IOC수량", {314, 186, 31, 8}, 0},
    {ControlId{1056}, ControlKind::kEdit, "", {398, 182, 21, 14}, 0},
    {ControlId{1065}, ControlKind::kStaticText, "옵션행사", {372, 185, 24, 8}, 0},
    {ControlId{1057}, ControlKind::kEdit, "", {411, 199, 34, 14}, 0},
    {ControlId{1066}, ControlKind::kStaticText, "주문유효일자", {369, 202, 36, 8}, 0},
    {ControlId{1058}, ControlKind::kDropDownList, "", {176, 219, 40, 67}, 0},
    {ControlId{1059}, ControlKind::kEdit, "", {298, 201, 70, 13}, 0},
    {ControlId{1090}, ControlKind::kStaticText, "사용자필드", {266, 204, 31, 8}, 0},
    {ControlId{1068}, ControlKind::kRadioButton, "KOR", {97, 13, 25, 12}, kGroupStart},
    {ControlId{1069}, ControlKind::kRadioButton, "ENG", {124, 13, 24, 12}, 0},
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
