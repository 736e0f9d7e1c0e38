/* A test component written in C whose control misbehaves in every way the
 * host must survive: failed calls with and without an error text, results of
 * the wrong type, a string result without bytes, results it never sets. It
 * counts the results it hands out, so that a test can see that the host
 * released each one. */
#include <stdlib.h>
#include <string.h>

#include "agent/abi/AgentAbi.h"

#define ZQK_EXPORT __attribute__((visibility("default")))

static int g_live_results;
static int g_destroys;

static void set_string(zqk_value* out, const char* text) {
  size_t n = strlen(text);
  char* bytes = (char*)malloc(n);
  memcpy(bytes, text, n);
  out->type = ZQK_VT_STR;
  out->str = bytes;
  out->len = (uint32_t)n;
  ++g_live_results;
}

static int32_t invoke(zqk_control* c, int32_t dispid, const zqk_value* args, uint32_t count,
                      zqk_value* result) {
  (void)c;
  (void)args;
  (void)count;
  result->type = ZQK_VT_EMPTY;
  result->str = NULL;
  result->len = 0;
  result->i4 = 0;
  switch (dispid) {
    case 1: /* StartComm: fails with a reason */
      set_string(result, "comm server unreachable");
      return ZQK_E_FAILED;
    case 2: /* StopComm */
      return ZQK_OK;
    case 3: /* Login: a string where a long is due */
      set_string(result, "1");
      return ZQK_OK;
    case 4:  /* Logout: sets no result */
    case 8:  /* GetRepeatCount: sets no result */
    case 26: /* GetLastData: sets no result */
      return ZQK_OK;
    case 7: /* RemoveReal: claims not to know the operation */
      return ZQK_E_UNKNOWN_DISPID;
    case 9: /* GetFieldValue: a long where a string is due */
      result->type = ZQK_VT_I4;
      result->i4 = 7;
      return ZQK_OK;
    case 10: /* GetDataBlock: a string without bytes */
      result->type = ZQK_VT_STR;
      result->len = 5;
      return ZQK_OK;
    case 11: /* GetCommState */
      result->type = ZQK_VT_I4;
      result->i4 = 1;
      return ZQK_OK;
    case 30: /* GetInfo: fails without a reason */
      return ZQK_E_FAILED;
    default: /* a status the interface does not define */
      return 12345;
  }
}

static void release_value(zqk_control* c, zqk_value* value) {
  (void)c;
  if (value->type == ZQK_VT_STR && value->str) {
    free((void*)value->str);
    --g_live_results;
  }
  value->type = ZQK_VT_EMPTY;
  value->str = NULL;
  value->len = 0;
}

static void destroy(zqk_control* c) {
  ++g_destroys;
  free(c);
}

ZQK_EXPORT int zqk_errors_live_results(void) {
  return g_live_results;
}
ZQK_EXPORT int zqk_errors_destroys(void) {
  return g_destroys;
}

ZQK_EXPORT int32_t ZQKCreateControl(const char* class_id, const zqk_host* host, zqk_control** out) {
  zqk_control* c;
  (void)class_id;
  (void)host;
  c = (zqk_control*)calloc(1, sizeof *c);
  c->version = ZQK_ABI_VERSION;
  c->size = sizeof *c;
  c->invoke = invoke;
  c->release_value = release_value;
  c->destroy = destroy;
  *out = c;
  return ZQK_OK;
}
