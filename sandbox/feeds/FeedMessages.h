#pragma once
// Why AddReal refuses a feed: the code it returns and the agent message
// (OnAgentMessage) that follows with the text and the key or type.

#include "sandbox/events/SandboxMessages.h"

namespace zqk::sandbox::feeds {

inline constexpr Message kMsgUnknownKey{-130, "실시간을 제공하지 않는 종목입니다"};
inline constexpr Message kMsgUnknownRealType{-131, "제공하지 않는 실시간 구분입니다"};
inline constexpr Message kMsgOrderFeedType{-132,
                                           "주문체결 실시간은 계좌로 등록합니다(AddOrderReal)"};
inline constexpr Message kMsgKeyDoesNotFit{-133, "종목과 맞지 않는 실시간 구분입니다"};

}  // namespace zqk::sandbox::feeds
