/*
 * The one test that every receiver of an ABI struct applies before reading it
 * (the host to a control, a component to the host): the struct's major
 * version is the one this side was built for, and the sender's struct is at
 * least as long as the fields this side reads. Fields are only ever appended,
 * so a longer struct of the same major version is fine.
 */
#ifndef ZQK_AGENT_ABI_CHECK_H
#define ZQK_AGENT_ABI_CHECK_H

#include "agent/abi/AgentAbi.h"

#ifdef __cplusplus
extern "C" {
#endif

static inline int zqk_abi_usable(uint32_t version, uint32_t size, uint32_t needed) {
  return ZQK_ABI_MAJOR(version) == ZQK_ABI_VERSION_MAJOR && size >= needed;
}

#ifdef __cplusplus
}
#endif

#endif /* ZQK_AGENT_ABI_CHECK_H */
