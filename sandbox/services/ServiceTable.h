#pragma once
// The query services the sandbox answers, by code: the function that builds
// each reply. How a code is requested (a TR query by RequestTr, a FID query
// by RequestFid, an order by SendOrder) and its input and reply layouts are
// the broker's codes table (protocol/); a code requested the wrong way is
// refused like a misspelt one, with the operation that serves it named.

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/Codes.h"
#include "protocol/Layout.h"
#include "sandbox/events/EventData.h"
#include "sandbox/events/SandboxMessages.h"
#include "sandbox/market/Users.h"

namespace zqk::sandbox {

class Broker;

// How a request came: RequestTr, RequestFid or SendOrder.
using ServiceKind = protocol::Operation;

struct QueryRequest {
  ServiceKind kind = ServiceKind::kTrQuery;
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

// A query being answered for the signed-in user, with its code's layouts.
struct QueryContext {
  Broker& broker;
  const QueryRequest& request;
  const User& user;
  int64_t now;  // agent time
  const protocol::InputLayout& input;
  const protocol::ReplyLayout& reply;
  // A message sent with the reply (before it), such as "nothing found".
  std::optional<Message> notice = std::nullopt;
};

// Builds the reply, or throws Refused.
using QueryHandler = EventData (*)(QueryContext& query);

struct ServiceEntry {
  std::string_view code;
  QueryHandler handler;
};

// Null for a code the sandbox answers no query for. Codes compare exactly.
const ServiceEntry* FindService(std::string_view code);

}  // namespace zqk::sandbox
