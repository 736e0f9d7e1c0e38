#pragma once
// The domestic symbol record: 233 named fields of row 0 of OutRec1, each on a
// line of its own, labelled with its name.

#include <array>
#include <string_view>

#include "replies/TrReply.h"

namespace zqk::reply {

// The record's fields in the order of their lines. Some names stand more than
// once; each entry is read and logged, repeats included.
extern const std::array<std::string_view, 233> kSymbolRecordFields;

// Reads every field first, then logs "[name]" directly followed by the value
// without its leading and trailing white space.
struct SymbolRecord {
  void Decode(const Reply& r) const;
};

}  // namespace zqk::reply
