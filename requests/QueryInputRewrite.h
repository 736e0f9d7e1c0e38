#pragma once
// The input of a TR query as it is sent: the codes whose input layout has an
// account rewrite get the agent's text for the account put in after the
// account number.

#include <string>
#include <string_view>

namespace zqk {

// True for the TR codes whose input is rewritten (compared exactly).
bool HasAccountRewrite(std::string_view trCode);

// The account number at the start of the input of `trCode`: as many bytes as
// the layout's account field, or all of the input when it is shorter.
std::string_view InputAccount(std::string_view trCode, std::string_view input);

// The account, then `accountText`, then up to the tail field's width of the
// input from the byte after the account plus the length of `accountText`;
// whatever the input holds beyond is dropped. The input as it is when
// `trCode` has no rewrite.
std::string RewriteAccountInput(std::string_view trCode, std::string_view input,
                                std::string_view accountText);

}  // namespace zqk
