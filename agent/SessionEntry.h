#pragma once
// What a session recording holds (docs/recording.md): a header, the console's
// state when the recording started, and then, one a line and in the order
// they happened, every agent call with its result, every event, the agent
// control's creation and destruction, and every user step the dialog
// received. The types here are the format's; the dialog maps its own to them.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "agent/abi/DispatchIds.h"

namespace zqk {

inline constexpr std::string_view kRecordingFormatName = "ZQKCommClient session";
inline constexpr int kRecordingVersion = 1;
// The longest line a recording holds. The recorder stops rather than write a
// longer one, and a reader refuses one once it has read that far.
inline constexpr size_t kMaxRecordingLineBytes = size_t{256} << 20;

struct RecordingHeader {
  int version = kRecordingVersion;
  std::string classId;  // the agent's class ID
  std::string started;  // the wall-clock time of the start, ISO 8601 (information only)
};

// An argument or a result: a long, or CP949 bytes.
struct RecordedValue {
  ValueType type = ValueType::kEmpty;
  int32_t i4 = 0;
  std::string str;
  bool operator==(const RecordedValue&) const = default;
};

// The user steps. Enter and Escape ask before they end the dialog through OK
// and Cancel; the close box ends it through Cancel at once; "destroy" is the
// dialog's destruction (the end of a session). "inspect" turns the reply
// inspector's reading on (1) or off (0): while on, the console makes calls of
// its own to read each reply, so a replay must turn it when the user did.
enum class StepKind {
  kSet,
  kClick,
  kSelect,
  kOk,
  kCancel,
  kSysCommand,
  kBox,
  kDestroy,
  kEnter,
  kEscape,
  kInspect
};
inline constexpr std::string_view kStepNames[] = {"set",    "click",      "select", "ok",
                                                  "cancel", "syscommand", "box",    "destroy",
                                                  "enter",  "escape",     "inspect"};
std::string_view StepName(StepKind kind);
// Whether a replay that takes its steps from a script still meets the
// recorded step: the script's own must come where the recording's did, since
// what the console calls after it depends on it.
inline bool StepKeptWithScript(StepKind kind) {
  return kind == StepKind::kInspect;
}

// Message boxes, by the names the format gives them.
inline constexpr std::string_view kBoxButtonNames[] = {"ok", "yesno", "yesno-default-no"};
inline constexpr std::string_view kBoxIconNames[] = {"none", "exclamation", "question", "error",
                                                     "information"};
inline constexpr std::string_view kBoxAnswerNames[] = {"ok", "yes", "no", "cancel"};

struct RecordedStep {
  StepKind kind = StepKind::kClick;
  int32_t control = 0;    // set, click, select
  int32_t number = 0;     // select: the item; syscommand: the command; box: the answer;
                          // inspect: 1 on, 0 off
  std::string text{};     // set: the control's whole text; box: the box's text
  std::string caption{};  // box
  int32_t buttons = 0;    // box: an index of kBoxButtonNames
  int32_t icon = 0;       // box: an index of kBoxIconNames
  bool operator==(const RecordedStep&) const = default;
};

struct RecordedControl {
  int32_t id = 0;
  std::string text;
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  std::vector<std::string> items;
  int32_t selected = -1;
  bool operator==(const RecordedControl&) const = default;
};

// The console's state when the recording started, so that a recording begun
// in the middle of a session replays from where it began.
struct RecordedState {
  bool controlUp = false;  // the agent control existed
  std::vector<RecordedControl> controls;
  std::vector<std::pair<std::string, std::string>> members;  // the dialog's members by name
  bool operator==(const RecordedState&) const = default;
};

struct RecordedEntry {
  enum class Kind { kCall, kEvent, kCreate, kDestroy, kStep, kState };
  Kind kind = Kind::kStep;
  size_t line = 0;     // in the file, from 1
  int64_t timeMs = 0;  // since the recording started, agent time
  // kCall: the operation, its arguments, the component's status and result
  // (for a failed call, its error text if any), the time the call took.
  const OperationInfo* op = nullptr;
  std::vector<RecordedValue> args;  // also kEvent
  int32_t status = 0;
  RecordedValue result;
  int64_t ns = 0;
  // kEvent: the event's dispatch ID; nested: fired inside the call recorded
  // next; driven: fired at a driver's request (the fixture agent's), so no
  // request of the console's stands behind it.
  int32_t eventDispid = 0;
  bool nested = false;
  bool driven = false;
  // kCreate: whether the control was created, else why not (CP949).
  bool created = false;
  std::string error;
  RecordedStep step;                     // kStep
  std::shared_ptr<RecordedState> state;  // kState
};

// How a recording is read: the longest line, and the code of the replies
// that deliver master files (a request for them names no code).
struct RecordingReadOptions {
  size_t maxLineBytes = kMaxRecordingLineBytes;
  std::string masterFileReplyCode;
};

// A recording's fault: the line (from 1) and why, UTF-8.
struct RecordingError {
  size_t line = 0;
  std::string reason;
};

// CP949 text for messages: quoted UTF-8, control bytes and bytes that are not
// CP949 text as \xHH, cut after `maxBytes` with "...".
std::string QuoteForMessage(std::string_view cp949, size_t maxBytes = 80);
// Name(arg, ...) as a divergence message shows a call or an event.
std::string DescribeCall(std::string_view name, std::span<const RecordedValue> args);
// What an entry is, for messages: "the call GetInfo(...)", "the step click 1005".
std::string DescribeEntry(const RecordedEntry& entry);
std::string DescribeStep(const RecordedStep& step);
// An event's name, or "event N" for a dispatch ID the interface lacks.
std::string EventName(int32_t dispid);

}  // namespace zqk
