#include "replies/SymbolRecord.h"

#include <array>
#include <string>

#include "agent/SymbolRecordFields.h"
#include "replies/ReplyText.h"

namespace zqk::reply {

void SymbolRecord::Decode(const Reply& r) const {
  std::array<std::string, kSymbolRecordFields.size()> values;
  for (size_t i = 0; i < values.size(); ++i) {
    values[i] =
        r.agent.GetFieldValue(r.trCode, kQueryRealType, kOutRec1, 0, kSymbolRecordFields[i]);
  }
  for (size_t i = 0; i < values.size(); ++i) {
    r.out.Log(Join({"[", kSymbolRecordFields[i], "]", TrimSpace(values[i])}));
  }
}

}  // namespace zqk::reply
