/* A minimal agent component for measuring the cost of the ABI itself:
 * GetFieldValue answers a fixed 10-byte text, every other call 0. */
#include <stdlib.h>

#include "agent/AgentAbi.h"

static const char kValue[] = "0123456789";

static int32_t Invoke(zqk_control* control, int32_t dispid, const zqk_value* args, uint32_t count,
                      zqk_value* result) {
  (void)control;
  (void)args;
  (void)count;
  result->i4 = 0;
  result->str = NULL;
  result->len = 0;
  if (dispid == 9) {
    result->type = ZQK_VT_STR;
    result->str = kValue;
    result->len = 10;
  } else {
    result->type = ZQK_VT_I4;
  }
  return ZQK_OK;
}

/* The value points at static storage: nothing to free. */
static void Release(zqk_control* control, zqk_value* value) {
  (void)control;
  value->type = ZQK_VT_EMPTY;
  value->str = NULL;
  value->len = 0;
}

static void Destroy(zqk_control* control) {
  free(control);
}

__attribute__((visibility("default"))) int32_t DllRegisterServer(void) {
  return 0;
}

__attribute__((visibility("default"))) int32_t ZQKCreateControl(const char* class_id,
                                                                const zqk_host* host,
                                                                zqk_control** out) {
  (void)class_id;
  (void)host;
  zqk_control* control = (zqk_control*)calloc(1, sizeof(zqk_control));
  if (!control) return ZQK_E_FAILED;
  control->version = ZQK_ABI_VERSION;
  control->size = sizeof(zqk_control);
  control->invoke = Invoke;
  control->release_value = Release;
  control->destroy = Destroy;
  *out = control;
  return ZQK_OK;
}
