#pragma once
// Why the broker refuses an order: the code and text that the order reply
// carries in 처리코드 and 처리메시지 (and, joined, in 처리구분), followed by a
// detail in brackets where one helps ("[133/132]", "[ESU16]").

#include "sandbox/events/SandboxMessages.h"

namespace zqk::sandbox::orders {

inline constexpr Message kMsgOrderAccepted{0, "주문이 접수되었습니다"};

// The record itself.
inline constexpr Message kMsgBadLength{-201, "주문 입력의 길이가 맞지 않습니다"};
inline constexpr Message kMsgSplitCharacter{-202, "한글이 필드 경계에 걸쳐 있습니다"};
inline constexpr Message kMsgNotANumber{-203, "숫자 항목에 숫자가 아닌 값이 있습니다"};
// Who orders.
inline constexpr Message kMsgBadAccount{-204, "주문할 수 없는 계좌번호입니다"};
inline constexpr Message kMsgAccountMarket{-205, "주문 시장과 계좌의 시장이 다릅니다"};
inline constexpr Message kMsgBadPassword{-206, "계좌 비밀번호가 일치하지 않습니다"};
// What is ordered.
inline constexpr Message kMsgUnknownProduct{-207, "등록되지 않은 종목입니다"};
inline constexpr Message kMsgProductNotTradable{-208, "이 주문으로 거래할 수 없는 종목입니다"};
inline constexpr Message kMsgBadSide{-209, "매매구분이 올바르지 않습니다"};
inline constexpr Message kMsgBadPriceType{-210, "가격조건이 올바르지 않습니다"};
inline constexpr Message kMsgBadFillCondition{-211, "체결조건이 올바르지 않습니다"};
inline constexpr Message kMsgBadPrice{-212, "주문가격이 올바르지 않습니다"};
inline constexpr Message kMsgOffTick{-213, "주문가격이 호가단위에 맞지 않습니다"};
inline constexpr Message kMsgBadQuantity{-214, "주문수량이 올바르지 않습니다"};
inline constexpr Message kMsgBadStrategy{-215, "지원하지 않는 전략구분입니다"};
inline constexpr Message kMsgBadStopPrice{-216, "지정가격이 올바르지 않습니다"};
inline constexpr Message kMsgBadValidUntil{-217, "주문유효일자가 올바르지 않습니다"};
inline constexpr Message kMsgBadExercise{-218, "옵션행사 구분이 올바르지 않습니다"};
// The order to amend or cancel.
inline constexpr Message kMsgNoSuchOrder{-219, "원주문이 없습니다"};
inline constexpr Message kMsgNothingOpen{-220, "정정/취소할 미체결 수량이 없습니다"};
inline constexpr Message kMsgOtherProduct{-221, "원주문과 종목이 다릅니다"};
inline constexpr Message kMsgOtherSide{-222, "원주문과 매매구분이 다릅니다"};
inline constexpr Message kMsgOtherPriceType{-223, "원주문과 가격조건이 다릅니다"};
inline constexpr Message kMsgAmendTooLarge{-224, "정정수량이 미체결수량보다 많습니다"};
inline constexpr Message kMsgOtherSession{-225,
                                          "CME 주문과 정규 주문은 서로 정정/취소할 수 없습니다"};

// Confirmations of the order feed: an amend or cancel that took effect, and
// what the broker ends by itself.
inline constexpr std::string_view kTextAmended = "정정이 확인되었습니다";
inline constexpr std::string_view kTextCancelled = "취소가 확인되었습니다";
inline constexpr std::string_view kTextFillOrKill = "FOK 주문이 전량 체결되지 않아 취소되었습니다";
inline constexpr std::string_view kTextFillAndKill = "IOC/FAK 주문의 미체결 잔량이 취소되었습니다";
inline constexpr std::string_view kTextExpired = "유효기간이 지나 주문이 취소되었습니다";

}  // namespace zqk::sandbox::orders
