#include "replies/SymbolRecord.h"

#include <array>
#include <string>

#include "protocol/SymbolRecordFields.h"
#include "text/Blanks.h"

namespace zqk::reply {

void SymbolRecord::Decode(const Reply& r) const {
  std::array<std::string, protocol::kSymbolRecord.size()> values;
  for (size_t i = 0; i < values.size(); ++i) {
    values[i] = r.agent.GetFieldValue(r.trCode, kQueryRealType, kOutRec1, 0,
                                      protocol::kSymbolRecord[i].name);
  }
  std::string line;
  for (size_t i = 0; i < values.size(); ++i) {
    // Piece by piece: g++ 12 at -O3 takes a short literal assigned to a
    // string for an overlapping copy (-Wrestrict).
    line.assign(1, '[');
    line.append(protocol::kSymbolRecord[i].name).append(1, ']').append(TrimBlanks(values[i]));
    r.out.Log(line);
  }
}

}  // namespace zqk::reply
