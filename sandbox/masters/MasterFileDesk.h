#pragma once
// Where RequestMasterFile arrives. A request gets an RQID of its own and is
// answered after the reply latency by one master-file reply per file of its
// kind ("all", "futures" or "option"; MasterFiles.h), each carrying that
// RQID. Each reply's data goes into the event store only when its event is
// fired, so the replies of one request, or of several, never overwrite each
// other before the console has read them. A kind with no files gets a
// request message and a reply whose answer code is not "REOK"; a request
// without a session only the request message, as every other request.

#include <cstdint>
#include <string_view>

namespace zqk::sandbox {

class Broker;

class MasterFileDesk {
 public:
  explicit MasterFileDesk(Broker& broker) : broker_(broker) {}
  // `rqId`: the fresh RQID the replies and messages carry.
  void Request(std::string_view kind, int32_t rqId);

 private:
  Broker& broker_;
};

}  // namespace zqk::sandbox
