#pragma once
// Where SendOrder arrives once the session and the order TR code have been
// checked: the orders' entry point. Until the matching engine lands it
// answers every order with a request message saying it is not simulated.

#include <cstdint>
#include <string_view>

namespace zqk::sandbox {

class Broker;

class OrderDesk {
 public:
  explicit OrderDesk(Broker& broker) : broker_(broker) {}
  // Answers later through the broker's events, under `rqId`.
  void Send(int32_t rqId, std::string_view code, std::string_view record);

 private:
  Broker& broker_;
};

}  // namespace zqk::sandbox
