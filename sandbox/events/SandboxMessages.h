#pragma once
// The sandbox broker's message codes and texts, as OnAgentMessage and
// OnRequestMessage deliver them. Negative codes are also what Login, Logout
// and the registrations return when they refuse, so a log line with the
// returned number and the message that follows it tell the same story.
//
// Each code has one meaning: -100 to -112 the session, requests and
// registrations, -113 to -120 the query services (here), -130 to -133 the
// quote feeds (feeds/FeedMessages.h), -201 to -225 orders
// (orders/OrderMessages.h), -900 the settings file. docs/sandbox.md lists
// them all in one table.

#include <cstdint>
#include <string>
#include <string_view>

namespace zqk::sandbox {

struct Message {
  int32_t code;
  std::string_view text;  // CP949
};

inline constexpr Message kMsgConnected{0, "모의투자 샌드박스 서버에 연결되었습니다"};
inline constexpr Message kMsgLoggedIn{0, "로그인 되었습니다"};
inline constexpr Message kMsgLoggedOut{0, "로그아웃 되었습니다"};
inline constexpr Message kMsgNotConnected{-100, "통신이 연결되어 있지 않습니다"};
inline constexpr Message kMsgUnknownUser{-101, "등록되지 않은 사용자입니다"};
inline constexpr Message kMsgWrongPassword{-102, "비밀번호가 일치하지 않습니다"};
inline constexpr Message kMsgWrongCertPassword{-103, "공인인증 비밀번호가 일치하지 않습니다"};
inline constexpr Message kMsgNotSignedIn{-104, "로그인되어 있지 않습니다"};
inline constexpr Message kMsgOtherUser{-105, "로그인한 사용자가 아닙니다"};
inline constexpr Message kMsgBadMode{-106, "지원하지 않는 통신 모드입니다"};
inline constexpr Message kMsgNotRegistered{-107, "등록되어 있지 않은 실시간입니다"};
inline constexpr Message kMsgUnknownAccount{-108, "등록되지 않은 계좌입니다"};
inline constexpr Message kMsgWrongAccountPassword{-109, "계좌 비밀번호가 일치하지 않습니다"};
inline constexpr Message kMsgUnknownTrCode{-110, "등록되지 않은 TR코드입니다"};
inline constexpr Message kMsgBadInputLength{-111, "입력 길이가 입력 데이터와 다릅니다"};
inline constexpr Message kMsgUnknownMasterKind{-112, "알 수 없는 마스터파일 구분입니다"};
inline constexpr Message kMsgUnknownProduct{-113, "등록되지 않은 종목입니다"};
inline constexpr Message kMsgWrongMarketAccount{-114, "해당 시장의 계좌가 아닙니다"};
inline constexpr Message kMsgWrongToken{-115, "사용자 토큰이 일치하지 않습니다"};
inline constexpr Message kMsgBadNextKey{-116, "연속조회 키가 올바르지 않습니다"};
inline constexpr Message kMsgBadFieldList{-117, "FID 필드 목록이 올바르지 않습니다"};
inline constexpr Message kMsgUnknownExchange{-118, "등록되지 않은 거래소입니다"};
inline constexpr Message kMsgUnknownNews{-119, "해당 뉴스가 없습니다"};
inline constexpr Message kMsgBadInput{-120, "입력 형식이 올바르지 않습니다"};
// Not a refusal: the reply follows, with no rows.
inline constexpr Message kMsgNoData{0, "조회할 내역이 없습니다"};
inline constexpr Message kMsgSettingsError{-900,
                                           "샌드박스 설정 파일을 읽지 못해 기본값으로 동작합니다"};

// The code as the events carry it: "0000" for success, the number otherwise.
inline std::string MessageCode(const Message& m) {
  return m.code == 0 ? std::string("0000") : std::to_string(m.code);
}

}  // namespace zqk::sandbox
