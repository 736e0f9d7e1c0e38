#pragma once
// The input of every query code: its fields at their byte offsets, the
// account rewrite where the console applies one, and a sample that the
// sandbox answers (the console's market samples and the documentation show
// the same ones).

#include <string_view>

#include "protocol/Layout.h"

namespace zqk::protocol {

// Null for a code that takes no query input (orders, master files, unknown
// codes).
const InputLayout* InputLayoutOf(std::string_view code);

// The sample input of a query code; empty for a code with none.
std::string_view SampleInput(std::string_view code);

// The account rewrite of a code's input, when the console applies one.
const AccountRewrite* AccountRewriteOf(std::string_view code);

// The width of the text that the agent returns for an account
// (GetAccountText), which the rewrite puts in place of the field after the
// account number: the same in every rewritten input.
size_t AccountTextWidth();

}  // namespace zqk::protocol
