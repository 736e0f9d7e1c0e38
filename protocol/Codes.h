#pragma once
// Every TR and FID code of the broker, one row each: its market, the agent
// operation that serves it, its name in Korean and in English, and whether
// the console decodes its replies. The layouts of a code are in the tables
// beside this one (QueryInputs.h, Replies.h, OrderLayouts.h), found by code.

#include <optional>
#include <span>
#include <string_view>

#include "protocol/Market.h"

namespace zqk::protocol {

enum class Operation : uint8_t {
  kTrQuery,     // RequestTr
  kFidQuery,    // RequestFid
  kOrder,       // SendOrder
  kMasterFile,  // RequestMasterFile, answered under the code
};

struct CodeInfo {
  std::string_view code;
  // Nullopt for a service that answers for every market.
  std::optional<Market> market;
  Operation operation;
  std::string_view nameKo;  // CP949
  std::string_view nameEn;
  bool decoded;  // the console has a decoder for its replies
  // What the code answers beyond its name, for a reader of the catalogue
  // (English); empty when the name says it all.
  std::string_view note = {};
};

// Every code, grouped by market.
std::span<const CodeInfo> AllCodes();
// Null for a code that is not the broker's. Codes compare exactly.
const CodeInfo* FindCode(std::string_view code);

// The agent operation by its name: "RequestTr", "RequestFid", "SendOrder",
// "RequestMasterFile".
std::string_view OperationName(Operation operation);
// "domestic", "overseas", "FX margin", or "any" for no market.
std::string_view MarketName(std::optional<Market> market);

}  // namespace zqk::protocol
