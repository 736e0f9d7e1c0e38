#pragma once
// The broker services the sandbox knows by code: how each is requested (a TR
// query by RequestTr, a FID query by RequestFid, an order by SendOrder) and,
// for queries, the function that answers it. A code requested the wrong way
// is refused like a misspelt one, with the operation that serves it named.

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "sandbox/events/EventData.h"
#include "sandbox/events/SandboxMessages.h"
#include "sandbox/market/Users.h"

namespace zqk::sandbox {

class Broker;

enum class ServiceKind { kTr, kFid, kOrder };

struct QueryRequest {
  ServiceKind kind = ServiceKind::kTr;
  std::string_view code;
  std::string_view input;
  std::string_view fieldList;  // FID queries
  std::string_view nextKey;
  int32_t rqId = 0;
};

// Thrown by a service that cannot answer: the request message that says why.
class Refused : public std::exception {
 public:
  Refused(const Message& message, std::string detail = {})
      : message(message), detail(std::move(detail)) {}
  const char* what() const noexcept override { return "request refused"; }

  Message message;
  std::string detail;  // CP949
};

// A query being answered for the signed-in user.
struct QueryContext {
  Broker& broker;
  const QueryRequest& request;
  const User& user;
  int64_t now;  // agent time
  // A message sent with the reply (before it), such as "nothing found".
  std::optional<Message> notice;
};

// Builds the reply, or throws Refused.
using QueryHandler = EventData (*)(QueryContext& query);

struct ServiceEntry {
  std::string_view code;
  ServiceKind kind;
  QueryHandler handler;  // null for orders
};

// Null for a code the broker does not offer. Codes compare exactly.
const ServiceEntry* FindService(std::string_view code);

// The agent operation that requests a kind of service: "RequestTr",
// "RequestFid" or "SendOrder".
std::string_view OperationOf(ServiceKind kind);

}  // namespace zqk::sandbox
