#pragma once
// The domestic symbol record: 233 named fields of row 0 of OutRec1
// (protocol/SymbolRecordFields.h), each on a line of its own, labelled with its
// name; a name that stands more than once is read and logged each time.

#include "replies/TrReply.h"

namespace zqk::reply {

// Reads every field first, then logs "[name]" directly followed by the value
// without its leading and trailing white space.
struct SymbolRecord {
  void Decode(const Reply& r) const;
};

}  // namespace zqk::reply
