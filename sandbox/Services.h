#pragma once
// The broker services the sandbox knows by code, and how each is requested:
// a TR query (RequestTr), a FID query (RequestFid) or an order (SendOrder).
// A code requested the wrong way is as unknown as a misspelt one.

#include <optional>
#include <string_view>

namespace zqk::sandbox {

enum class ServiceKind { kTr, kFid, kOrder };

// nullopt for a code the broker does not offer. Codes compare exactly.
std::optional<ServiceKind> FindService(std::string_view code);

}  // namespace zqk::sandbox
