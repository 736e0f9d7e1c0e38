#pragma once
// The fixture agent keeps every call made on it until a driver takes them
// (FixtureTakeCalls). A script run reads none of them (--trace-calls prints
// the wrapper's own view of each call, and ZQK_FIXTURE_LOG receives every one
// as it is made), so the driver takes them as it goes: after every step, and
// every few hundred log lines within one (a reply of many records), so that
// a long run holds no more than the calls of the moment. An agent that does
// not keep calls refuses the first take and is not asked again.

#include <cstddef>

#include "agent/CZQKCommAgent.h"

namespace zqk::script {

class CallRecordDrain {
 public:
  static constexpr size_t kLinesPerTake = 256;

  explicit CallRecordDrain(CZQKCommAgent& agent) : agent_(agent) {}

  void StepDone() { Take(); }
  void LineLogged() {
    if (++lines_ % kLinesPerTake == 0) Take();
  }
  // Takes = how many times the agent gave its calls.
  size_t Takes() const { return takes_; }

 private:
  void Take();

  CZQKCommAgent& agent_;
  bool refused_ = false;
  size_t lines_ = 0;
  size_t takes_ = 0;
};

}  // namespace zqk::script
