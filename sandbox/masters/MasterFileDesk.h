#pragma once
// Where RequestMasterFile arrives: the master files' entry point. Until the
// master files land it answers a good request with a message saying they
// are not simulated.

#include <string_view>

namespace zqk::sandbox {

class Broker;

class MasterFileDesk {
 public:
  explicit MasterFileDesk(Broker& broker) : broker_(broker) {}
  void Request(std::string_view kind);

 private:
  Broker& broker_;
};

}  // namespace zqk::sandbox
