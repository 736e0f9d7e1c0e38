/* A test component whose self-registration fails. */
#include "agent/abi/AgentAbi.h"

#define ZQK_EXPORT __attribute__((visibility("default")))

ZQK_EXPORT int32_t DllRegisterServer(void) {
  return -1;
}
