#pragma once
// What the domestic and the overseas account services answer alike: the
// user's account list and the password check.

#include <initializer_list>
#include <string>
#include <string_view>

#include "sandbox/market/Users.h"
#include "sandbox/services/ServiceTable.h"

namespace zqk::sandbox::services {

// How the account lists name a market: "1" domestic, "2" overseas, "3" FX.
std::string AccountKind(Market m);

// The user whose accounts an input's user ID (`id`, blank: the signed-in
// user) asks for; refuses another user's ID.
const User& AskedUser(QueryContext& q, std::string_view id);

// Whether `password` is that of the signed-in user's account `number`, of
// one of `markets`: 처리코드/처리메시지, 계좌번호, 계좌명, 일치여부 Y or N,
// and the account's kind in the field `kindField`. A wrong password is the
// answer, not a refusal.
EventData PasswordAnswer(QueryContext& q, std::string_view number, std::string_view password,
                         std::initializer_list<Market> markets, std::string_view kindField);

}  // namespace zqk::sandbox::services
