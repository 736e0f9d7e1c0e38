#pragma once
// The input of a TR query as it is sent: two account-bearing TR codes get the
// agent's text for the account put in after the account number.

#include <string>
#include <string_view>

namespace zqk {

// Width of the account number at the start of an account-bearing input.
inline constexpr size_t kInputAccountWidth = 11;
// Width of the field that follows the agent's account text.
inline constexpr size_t kInputTailWidth = 8;

// True for the TR codes whose input is rewritten ("g11002.DQ0104&" and
// "g11002.DQ0107&", compared exactly).
bool HasAccountRewrite(std::string_view trCode);

// The account number at the start of the input: its first 11 bytes, or all of
// it when it is shorter.
std::string_view InputAccount(std::string_view input);

// The account, then `accountText`, then up to 8 bytes of the input from byte
// 11 + the length of `accountText`; whatever the input holds beyond is dropped.
std::string RewriteAccountInput(std::string_view input, std::string_view accountText);

}  // namespace zqk
