#include "protocol/Replies.h"

#include <stdexcept>
#include <string>

namespace zqk::protocol {

const ReplyLayout* ReplyLayoutOf(std::string_view code) {
  for (std::span<const CodeReply> family : {AccountReplies(), MarketReplies()}) {
    for (const CodeReply& r : family) {
      if (r.code == code) return &r.layout;
    }
  }
  return nullptr;
}

const ReplyLayout& ReplyOf(std::string_view code) {
  if (const ReplyLayout* layout = ReplyLayoutOf(code)) return *layout;
  throw std::logic_error(std::string("no reply layout for ").append(code));
}

size_t BlockRowWidth(std::string_view code) {
  const ReplyLayout& reply = ReplyOf(code);
  return reply.block ? reply.block->RowWidth() : 0;
}

size_t BlockHeaderWidth(std::string_view code) {
  const ReplyLayout& reply = ReplyOf(code);
  return reply.block ? reply.block->HeaderWidth() : 0;
}

size_t FixedBlockLength(std::string_view code) {
  const ReplyLayout& reply = ReplyOf(code);
  if (!reply.block || reply.block->rows != BlockRows::kFixed) return 0;
  return reply.block->HeaderWidth() + reply.block->RowWidth() * reply.block->fixedRows;
}

}  // namespace zqk::protocol
