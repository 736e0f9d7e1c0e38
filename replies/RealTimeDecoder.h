#pragma once
// Decoding of one real-time record, while the agent delivers it: the fields
// of its real type are read, trimmed, shown and logged as the real-type table
// says, with the order-number filter of the order feed.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "replies/AgentReader.h"
#include "replies/DecoderOutput.h"

namespace zqk {

// `lastOrderNo` is the number of the last accepted order: compared by the
// order feed's filtered records, replaced by each acceptance record.
void DecodeRealData(std::string_view key, int32_t realType, AgentReader& reader, DecoderOutput& out,
                    std::string& lastOrderNo);

// The start of CP949 text in at most `maxBytes` bytes (all of it when it is
// shorter), one byte fewer where the last byte would be the lead byte of a
// double-byte character: a character is never cut in half. A lead byte
// without its trail byte is a byte like any other.
std::string_view LeadingBytes(std::string_view cp949, size_t maxBytes);

// Replaces `out` with `format`, each %s or %d replaced, in order, by the next
// of `values` (`out` keeps its room, for the next line).
void FillPlaceholders(std::string& out, std::string_view format,
                      std::span<const std::string_view> values);

}  // namespace zqk
