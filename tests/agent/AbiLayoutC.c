/* The ABI headers compiled as C: the layout a C component sees, for the C++
 * side of the test to compare with its own. */
#include <stddef.h>

#include "agent/abi/AgentAbi.h"
#include "agent/abi/AgentAbiCheck.h"

size_t zqk_c_layout(int which) {
  switch (which) {
    case 0:
      return sizeof(zqk_value);
    case 1:
      return offsetof(zqk_value, len);
    case 2:
      return sizeof(zqk_host);
    case 3:
      return offsetof(zqk_host, now_ms);
    case 4:
      return sizeof(zqk_control);
    case 5:
      return offsetof(zqk_control, destroy);
    case 6:
      return (size_t)zqk_abi_usable(ZQK_ABI_VERSION, sizeof(zqk_control), sizeof(zqk_control));
    default:
      return 0;
  }
}
