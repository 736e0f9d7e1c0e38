/* A test component whose ZQKCreateControl goes wrong in the way a test picks:
 * it refuses, returns no control, or returns a control the host cannot use. */
#include <stddef.h>

#include "agent/abi/AgentAbi.h"

#define ZQK_EXPORT __attribute__((visibility("default")))

enum {
  MODE_REFUSE,
  MODE_NO_CONTROL,
  MODE_OTHER_MAJOR,
  MODE_TOO_SMALL,
  MODE_NO_INVOKE,
  MODE_NO_DESTROY
};

static int g_mode;
static int g_destroys;
static zqk_control g_control;

static int32_t invoke(zqk_control* c, int32_t dispid, const zqk_value* args, uint32_t count,
                      zqk_value* result) {
  (void)c;
  (void)dispid;
  (void)args;
  (void)count;
  result->type = ZQK_VT_EMPTY;
  return ZQK_OK;
}

static void release_value(zqk_control* c, zqk_value* value) {
  (void)c;
  value->type = ZQK_VT_EMPTY;
}

static void destroy(zqk_control* c) {
  (void)c;
  ++g_destroys;
}

ZQK_EXPORT void zqk_badcreate_set_mode(int mode) {
  g_mode = mode;
}
ZQK_EXPORT int zqk_badcreate_destroys(void) {
  return g_destroys;
}

ZQK_EXPORT int32_t ZQKCreateControl(const char* class_id, const zqk_host* host, zqk_control** out) {
  (void)class_id;
  (void)host;
  g_control.version = ZQK_ABI_VERSION;
  g_control.size = sizeof g_control;
  g_control.invoke = invoke;
  g_control.release_value = release_value;
  g_control.destroy = destroy;
  switch (g_mode) {
    case MODE_REFUSE:
      return ZQK_E_FAILED;
    case MODE_NO_CONTROL:
      *out = NULL;
      return ZQK_OK;
    case MODE_OTHER_MAJOR:
      g_control.version = (2u << 16) | 0u;
      break;
    case MODE_TOO_SMALL:
      g_control.size = (uint32_t)offsetof(zqk_control, destroy);
      break;
    case MODE_NO_INVOKE:
      g_control.invoke = NULL;
      break;
    case MODE_NO_DESTROY:
      g_control.destroy = NULL;
      break;
  }
  *out = &g_control;
  return ZQK_OK;
}
