/* A minimal agent component for measuring the console's own costs: reads
 * answer fixed texts straight from static storage, every other call 0.
 * - GetFieldValue: the master-file reply's three fields by name, any other
 *   field a fixed 10-byte text;
 * - GetDataBlock: a stretch of one large block (a master-file reply of
 *   kContentSize bytes after its 140-byte header);
 * - FormatValue: the value it is given. */
#include <stdlib.h>
#include <string.h>

#include "agent/abi/AgentAbi.h"

enum { kHeaderSize = 140, kContentSize = 50 * 1024 * 1024 };

static const char kValue[] = "0123456789";
static const char kSizeText[] = "52428800"; /* kContentSize */
static const char* kFields[][2] = {
    {"파일크기", kSizeText},
    {"파일명", "BENCH.mst"},
    {"응답코드", "REOK"},
};
static char* block;

static void SetText(zqk_value* result, const char* text, uint32_t len) {
  result->type = ZQK_VT_STR;
  result->str = text;
  result->len = len;
}

static void FieldValue(const zqk_value* name, zqk_value* result) {
  for (size_t i = 0; i < sizeof kFields / sizeof kFields[0]; ++i) {
    if (strlen(kFields[i][0]) == name->len && memcmp(kFields[i][0], name->str, name->len) == 0) {
      SetText(result, kFields[i][1], (uint32_t)strlen(kFields[i][1]));
      return;
    }
  }
  SetText(result, kValue, 10);
}

static int32_t DataBlock(int32_t offset, int32_t length, zqk_value* result) {
  const int32_t size = kHeaderSize + kContentSize;
  if (!block) {
    block = (char*)malloc((size_t)size);
    if (!block) return ZQK_E_FAILED;
    for (int32_t i = 0; i < size; ++i) block[i] = (char)(i * 31 + i / 4096);
  }
  if (offset < 0 || offset > size) offset = size;
  if (length < 0 || length > size - offset) length = size - offset;
  SetText(result, block + offset, (uint32_t)length);
  return ZQK_OK;
}

static int32_t Invoke(zqk_control* control, int32_t dispid, const zqk_value* args, uint32_t count,
                      zqk_value* result) {
  (void)control;
  result->type = ZQK_VT_I4;
  result->i4 = 0;
  result->str = NULL;
  result->len = 0;
  switch (dispid) {
    case 9: /* GetFieldValue */
      if (count == 5) FieldValue(&args[4], result);
      return ZQK_OK;
    case 10: /* GetDataBlock */
      return count == 6 ? DataBlock(args[2].i4, args[3].i4, result) : ZQK_E_ARG_COUNT;
    case 22: /* FormatValue */
      if (count == 3) SetText(result, args[1].str, args[1].len);
      return ZQK_OK;
    case 21: /* GetAccountText */
    case 26: /* GetLastData */
    case 28: /* GetNextKey */
    case 29: /* GetBusinessDay */
    case 30: /* GetInfo */
      SetText(result, "", 0);
      return ZQK_OK;
    default:
      return ZQK_OK;
  }
}

/* Every value points at static storage: nothing to free. */
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
