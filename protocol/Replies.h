#pragma once
// The replies of every code: their records, how many rows each has and
// where that count comes from, each field's name, width and kind, and the
// raw block with its header and row widths. The console's decoders read no
// field and no width that is not here, and the sandbox fills none.

#include <span>
#include <string_view>

#include "protocol/Layout.h"

namespace zqk::protocol {

// Null for a code with no reply.
const ReplyLayout* ReplyLayoutOf(std::string_view code);

// The reply of a code that has one; a code without one is a fault of the
// caller (std::logic_error).
const ReplyLayout& ReplyOf(std::string_view code);

// Bytes of a row of the code's raw block (0 without rows), of its header,
// and of the whole block where its rows are fixed.
size_t BlockRowWidth(std::string_view code);
size_t BlockHeaderWidth(std::string_view code);
size_t FixedBlockLength(std::string_view code);

// The fields of the domestic symbol record (row 0 of OutRec1), in the order
// of the record: FID field number = position.
std::span<const Field> SymbolRecordFields();

// The answer codes of a master-file reply (응답코드).
inline constexpr std::string_view kMasterAnswerOk = "REOK";      // the content follows
inline constexpr std::string_view kMasterAnswerNoFile = "RERR";  // a kind with no files

// One code's reply, for the tables of the families of codes.
struct CodeReply {
  std::string_view code;
  ReplyLayout layout;
};

// The tables, by family (AccountReplies.cpp, MarketReplies.cpp).
std::span<const CodeReply> AccountReplies();
std::span<const CodeReply> MarketReplies();

}  // namespace zqk::protocol
