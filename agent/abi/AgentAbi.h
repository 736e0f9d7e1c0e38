/*
 * The agent component ABI: how the console (the host) and an agent component
 * (a shared library) talk. Plain C, so that a component can be written in any
 * language and built with any compiler.
 *
 * Rules
 *  - Every struct starts with `version` and `size` (the sizeof the sender knew).
 *    A receiver accepts a struct whose major version it knows and whose size is
 *    at least the size of the fields it reads; fields are only ever appended.
 *  - Only C types cross; no exception, longjmp or C++ object crosses.
 *  - Memory is freed by the side that allocated it: a component's results are
 *    released with its control's `release_value`; what the host passes in stays
 *    the host's and is valid only during the call.
 *  - Strings are CP949 bytes with an explicit length; they may hold any byte,
 *    NUL included, and are not NUL-terminated.
 *  - A component exports exactly the entry points below.
 *
 * Threads
 *  - The UI thread is the thread that created the control. `invoke`,
 *    `release_value` and `destroy` are called on the UI thread only.
 *  - `fire_event` and `now_ms` may be called on the UI thread only.
 *  - `post` may be called on any thread until `destroy` returns; after that
 *    the component calls no host function.
 */
#ifndef ZQK_AGENT_ABI_H
#define ZQK_AGENT_ABI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define ZQK_ABI_VERSION_MAJOR 1u
#define ZQK_ABI_VERSION_MINOR 0u
#define ZQK_ABI_VERSION ((ZQK_ABI_VERSION_MAJOR << 16) | ZQK_ABI_VERSION_MINOR)
#define ZQK_ABI_MAJOR(v) ((uint32_t)(v) >> 16)

/* Tagged values: arguments, results and event arguments. */
typedef enum zqk_value_type {
  ZQK_VT_EMPTY = 0, /* no value (the result of an operation without one) */
  ZQK_VT_I4 = 1,    /* 32-bit signed integer ("long") */
  ZQK_VT_STR = 2    /* CP949 bytes with explicit length ("string") */
} zqk_value_type;

typedef struct zqk_value {
  int32_t type; /* a zqk_value_type */
  int32_t i4;
  const char* str; /* ZQK_VT_STR: `len` bytes; may be NULL when len is 0 */
  uint32_t len;
} zqk_value;

/* Status of an invoke. */
typedef enum zqk_status {
  ZQK_OK = 0,
  ZQK_E_UNKNOWN_DISPID = -1, /* the component has no such operation */
  ZQK_E_ARG_COUNT = -2,      /* wrong number of arguments */
  ZQK_E_ARG_TYPE = -3,       /* an argument of the wrong type */
  ZQK_E_FAILED = -4,         /* the operation raised an error */
  ZQK_E_BAD_STRUCT = -5      /* a struct of an unknown version or too small */
} zqk_status;

/* Services of the host, given to the component when a control is created;
 * valid until the control's `destroy` returns. */
typedef struct zqk_host {
  uint32_t version; /* ZQK_ABI_VERSION */
  uint32_t size;    /* sizeof(zqk_host) */
  void* context;    /* passed back to every function below */

  /* Runs fn(arg) on the UI thread after at least delay_ms milliseconds of
   * agent time (0: as soon as the UI thread is free). Any thread. Work still
   * pending when the control is destroyed is dropped without being run. */
  void (*post)(void* context, void (*fn)(void* arg), void* arg, uint32_t delay_ms);

  /* Delivers an event to the host's event sink, synchronously; the event's
   * data must stay readable until it returns. UI thread only. Returns
   * ZQK_OK, or ZQK_E_UNKNOWN_DISPID when the host has no handler. The host may
   * run a nested event loop (a modal message box) inside it, in which further
   * posted work and events run. */
  int32_t (*fire_event)(void* context, int32_t dispid, const zqk_value* args, uint32_t count);

  /* Milliseconds of agent time since an arbitrary start; monotonic. The host
   * decides what time is: the wall clock in the window, a virtual clock in the
   * headless driver. UI thread only. */
  int64_t (*now_ms)(void* context);
} zqk_host;

/* One control (one instance of the agent). */
typedef struct zqk_control {
  uint32_t version; /* ZQK_ABI_VERSION */
  uint32_t size;    /* sizeof(zqk_control) */
  void* self;       /* the component's own state */

  /* Calls operation `dispid` with `count` arguments. On ZQK_OK, `*result`
   * holds the result (ZQK_VT_EMPTY for an operation without one; a result
   * left ZQK_VT_EMPTY by an operation that has one reads as 0 or as an empty
   * string). On an error status, `*result` holds a ZQK_VT_STR describing the
   * error, or ZQK_VT_EMPTY. Either way the host releases `*result` with
   * `release_value`. UI thread only; may fire events before it returns. */
  int32_t (*invoke)(struct zqk_control* control, int32_t dispid, const zqk_value* args,
                    uint32_t count, zqk_value* result);

  /* Frees what `invoke` put into a result; resets it to ZQK_VT_EMPTY. */
  void (*release_value)(struct zqk_control* control, zqk_value* value);

  /* Ends the control: stops its work, drops what it posted, frees it. */
  void (*destroy)(struct zqk_control* control);
} zqk_control;

/* Exported entry points of a component. */

/* Records this component's class IDs in the per-user component registry.
 * Returns 0 or more on success, a negative value on failure. */
typedef int32_t (*zqk_register_server_fn)(void);
#define ZQK_REGISTER_SERVER_SYMBOL "DllRegisterServer"

/* Creates a control of class `class_id` (NUL-terminated, e.g.
 * "{...}") for `host`. Returns ZQK_OK and sets *out, or an error status
 * (ZQK_E_FAILED for an unknown class, ZQK_E_BAD_STRUCT for a host struct it
 * cannot use). */
typedef int32_t (*zqk_create_control_fn)(const char* class_id, const zqk_host* host,
                                         zqk_control** out);
#define ZQK_CREATE_CONTROL_SYMBOL "ZQKCreateControl"

#ifdef __cplusplus
}
#endif

#endif /* ZQK_AGENT_ABI_H */
