#pragma once
// What the tests see of the echo component: its counters and the results it
// gives, reached through one exported hook (dlsym of ZQK_ECHO_STATE_SYMBOL on
// the same library path shares the component's own state).
//
// The echo control answers every operation of the interface: a string result
// is all arguments joined (strings as they came, longs in decimal), a long
// result is longResults[dispid] (0 unless a test sets it), RequestTr returns
// the next RQID and fires OnTrReply(trCode, rqId) 10 ms later.

#include <cstdint>
#include <functional>

struct EchoState {
  int creates = 0;
  int destroys = 0;
  int invokes = 0;
  // Results handed out and not yet released.
  int liveResults = 0;
  int32_t longResults[64] = {};
  int32_t lastRqId = 0;
  // OnTrReply events fired.
  int fired = 0;
  // Status of the last fire_event.
  int32_t lastFireStatus = 0;
  // Runs inside every invoke, before the control answers (dispid given).
  std::function<void(int32_t)> duringInvoke;
};

#define ZQK_ECHO_STATE_SYMBOL "zqk_echo_state"
using EchoStateFn = EchoState* (*)();
