#include "agent/SessionRecorder.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "files/RegularFile.h"

namespace zqk {
namespace {

// Room for the fixed parts of any line: its time, keys, brackets.
constexpr size_t kLineOverhead = 160;

std::string_view Bytes(const zqk_value& v) {
  return v.type == ZQK_VT_STR && v.len > 0 && v.str ? std::string_view(v.str, v.len)
                                                    : std::string_view();
}

size_t MaxValueBytes(const zqk_value& v) {
  return v.type == ZQK_VT_STR ? JsonTextRoom(Bytes(v)) : kMaxJsonIntBytes + 4;
}

char* WriteValue(char* out, const zqk_value& v) {
  if (v.type == ZQK_VT_I4) return WriteJsonInt(out, v.i4);
  if (v.type == ZQK_VT_STR) return WriteJsonText(out, Bytes(v));
  return WriteJsonRaw(out, "null");
}

size_t MaxArgsBytes(std::span<const zqk_value> args) {
  size_t bytes = 0;
  for (const zqk_value& a : args) bytes += MaxValueBytes(a) + 1;
  return bytes;
}

char* WriteArgs(char* out, std::span<const zqk_value> args) {
  out = WriteJsonRaw(out, ",\"args\":[");
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) *out++ = ',';
    out = WriteValue(out, args[i]);
  }
  *out++ = ']';
  return out;
}

char* WriteBool(char* out, bool value) {
  return WriteJsonRaw(out, value ? "true" : "false");
}

std::string LocalTimeIso8601() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[40];
  const size_t n = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
  return std::string(text, n);
}

}  // namespace

std::unique_ptr<SessionRecorder> SessionRecorder::Start(const std::filesystem::path& file,
                                                        std::string_view classId, Clock clock,
                                                        std::string* reason) {
  const int fd = OpenRegularFileForWriting(file, reason);
  if (fd < 0) return nullptr;
  std::unique_ptr<SessionRecorder> recorder(new SessionRecorder(file, fd, std::move(clock)));
  JsonLineBuffer& buffer = recorder->buffer_;
  const std::string started = LocalTimeIso8601();
  char* out = buffer.Room(kLineOverhead + MaxJsonTextBytes(classId.size()) +
                          MaxJsonTextBytes(started.size()));
  out = WriteJsonRaw(out, "{\"recording\":");
  out = WriteJsonText(out, kRecordingFormatName);
  out = WriteJsonRaw(out, ",\"version\":");
  out = WriteJsonInt(out, kRecordingVersion);
  out = WriteJsonRaw(out, ",\"classId\":");
  out = WriteJsonText(out, classId);
  out = WriteJsonRaw(out, ",\"started\":");
  out = WriteJsonText(out, started);
  out = WriteJsonRaw(out, "}\n");
  buffer.SetEnd(out);
  recorder->Flush();
  if (!recorder->Active()) {
    if (reason) *reason = "the header cannot be written";
    return nullptr;
  }
  return recorder;
}

SessionRecorder::SessionRecorder(std::filesystem::path file, int fd, Clock clock)
    : file_(std::move(file)),
      fd_(fd),
      clock_(std::move(clock)),
      startMs_(clock_()),
      buffer_(2 * kFlushBytes) {}

SessionRecorder::~SessionRecorder() {
  Flush();
  if (fd_ >= 0) ::close(fd_);
}

char* SessionRecorder::BeginLine(size_t maxBytes, bool readClock) {
  if (readClock) timeMs_ = clock_() - startMs_;
  lineStart_ = buffer_.Size();
  char* out = buffer_.Room(kLineOverhead + maxBytes);
  out = WriteJsonRaw(out, "{\"t\":");
  return WriteJsonInt(out, timeMs_);
}

void SessionRecorder::EndLine(char* out) {
  out = WriteJsonRaw(out, "}\n");
  buffer_.SetEnd(out);
  const size_t bytes = buffer_.Size() - lineStart_;
  if (bytes > kMaxRecordingLineBytes) {
    // A reader would refuse the line, and every line after it with it.
    buffer_.Truncate(lineStart_);
    Flush();
    Fail("a line of " + std::to_string(bytes) + " bytes is longer than a recording may hold (" +
         DescribeSize(kMaxRecordingLineBytes) + ")");
    return;
  }
  if (buffer_.Size() >= kFlushBytes) Flush();
}

void SessionRecorder::Call(const OperationInfo& op, std::span<const zqk_value> args, int32_t status,
                           const zqk_value& result, int64_t ns) {
  if (!Active()) return;
  char* out =
      BeginLine(op.name.size() + MaxArgsBytes(args) + MaxValueBytes(result), /*readClock=*/false);
  out = WriteJsonRaw(out, ",\"call\":\"");
  out = WriteJsonRaw(out, op.name);
  *out++ = '"';
  out = WriteArgs(out, args);
  if (status != ZQK_OK) {
    out = WriteJsonRaw(out, ",\"status\":");
    out = WriteJsonInt(out, status);
  }
  if (result.type != ZQK_VT_EMPTY) {
    out = WriteJsonRaw(out, ",\"result\":");
    out = WriteValue(out, result);
  }
  out = WriteJsonRaw(out, ",\"ns\":");
  out = WriteJsonInt(out, ns);
  EndLine(out);
}

void SessionRecorder::Event(int32_t dispid, std::span<const zqk_value> args, bool nested,
                            bool driven) {
  if (!Active()) return;
  const EventInfo* info = FindEvent(dispid);
  char* out = BeginLine((info ? info->name.size() : 0) + MaxArgsBytes(args));
  out = WriteJsonRaw(out, ",\"event\":");
  if (info) {
    *out++ = '"';
    out = WriteJsonRaw(out, info->name);
    *out++ = '"';
  } else {
    out = WriteJsonInt(out, dispid);
  }
  out = WriteArgs(out, args);
  if (nested) out = WriteJsonRaw(out, ",\"nested\":true");
  if (driven) out = WriteJsonRaw(out, ",\"driven\":true");
  EndLine(out);
}

void SessionRecorder::ControlCreated(bool ok, std::string_view error) {
  if (!Active()) return;
  char* out = BeginLine(JsonTextRoom(error));
  out = WriteJsonRaw(out, ",\"control\":\"create\",\"ok\":");
  out = WriteBool(out, ok);
  if (!ok) {
    out = WriteJsonRaw(out, ",\"error\":");
    out = WriteJsonText(out, error);
  }
  EndLine(out);
}

void SessionRecorder::ControlDestroyed() {
  if (!Active()) return;
  char* out = BeginLine(0);
  out = WriteJsonRaw(out, ",\"control\":\"destroy\"");
  EndLine(out);
}

void SessionRecorder::Step(const RecordedStep& s) {
  if (!Active()) return;
  char* out = BeginLine(JsonTextRoom(s.text) + JsonTextRoom(s.caption) + 64);
  out = WriteJsonRaw(out, ",\"step\":\"");
  out = WriteJsonRaw(out, StepName(s.kind));
  *out++ = '"';
  switch (s.kind) {
    case StepKind::kSet:
      out = WriteJsonRaw(out, ",\"id\":");
      out = WriteJsonInt(out, s.control);
      out = WriteJsonRaw(out, ",\"text\":");
      out = WriteJsonText(out, s.text);
      break;
    case StepKind::kClick:
      out = WriteJsonRaw(out, ",\"id\":");
      out = WriteJsonInt(out, s.control);
      break;
    case StepKind::kSelect:
      out = WriteJsonRaw(out, ",\"id\":");
      out = WriteJsonInt(out, s.control);
      out = WriteJsonRaw(out, ",\"index\":");
      out = WriteJsonInt(out, s.number);
      break;
    case StepKind::kSysCommand:
      out = WriteJsonRaw(out, ",\"command\":");
      out = WriteJsonInt(out, s.number);
      break;
    case StepKind::kInspect:
      out = WriteJsonRaw(out, ",\"on\":");
      out = WriteBool(out, s.number != 0);
      break;
    case StepKind::kBox:
      out = WriteJsonRaw(out, ",\"text\":");
      out = WriteJsonText(out, s.text);
      out = WriteJsonRaw(out, ",\"caption\":");
      out = WriteJsonText(out, s.caption);
      out = WriteJsonRaw(out, ",\"buttons\":\"");
      out = WriteJsonRaw(out, kBoxButtonNames[s.buttons]);
      out = WriteJsonRaw(out, "\",\"icon\":\"");
      out = WriteJsonRaw(out, kBoxIconNames[s.icon]);
      out = WriteJsonRaw(out, "\",\"answer\":\"");
      out = WriteJsonRaw(out, kBoxAnswerNames[s.number]);
      *out++ = '"';
      break;
    case StepKind::kOk:
    case StepKind::kCancel:
    case StepKind::kDestroy:
    case StepKind::kEnter:
    case StepKind::kEscape:
      break;
  }
  EndLine(out);
}

void SessionRecorder::State(const RecordedState& state) {
  if (!Active()) return;
  size_t maxBytes = 0;
  for (const auto& [name, value] : state.members) {
    maxBytes += JsonTextRoom(name) + JsonTextRoom(value) + 2;
  }
  for (const RecordedControl& c : state.controls) {
    maxBytes += kLineOverhead + JsonTextRoom(c.text);
    for (const std::string& item : c.items) maxBytes += JsonTextRoom(item) + 1;
  }
  char* out = BeginLine(maxBytes);
  out = WriteJsonRaw(out, ",\"state\":{\"control\":");
  out = WriteBool(out, state.controlUp);
  out = WriteJsonRaw(out, ",\"members\":{");
  for (size_t i = 0; i < state.members.size(); ++i) {
    if (i > 0) *out++ = ',';
    out = WriteJsonText(out, state.members[i].first);
    *out++ = ':';
    out = WriteJsonText(out, state.members[i].second);
  }
  out = WriteJsonRaw(out, "},\"controls\":[");
  for (size_t i = 0; i < state.controls.size(); ++i) {
    const RecordedControl& c = state.controls[i];
    if (i > 0) *out++ = ',';
    out = WriteJsonRaw(out, "{\"id\":");
    out = WriteJsonInt(out, c.id);
    out = WriteJsonRaw(out, ",\"text\":");
    out = WriteJsonText(out, c.text);
    out = WriteJsonRaw(out, ",\"checked\":");
    out = WriteBool(out, c.checked);
    out = WriteJsonRaw(out, ",\"enabled\":");
    out = WriteBool(out, c.enabled);
    out = WriteJsonRaw(out, ",\"visible\":");
    out = WriteBool(out, c.visible);
    out = WriteJsonRaw(out, ",\"items\":[");
    for (size_t j = 0; j < c.items.size(); ++j) {
      if (j > 0) *out++ = ',';
      out = WriteJsonText(out, c.items[j]);
    }
    out = WriteJsonRaw(out, "],\"selected\":");
    out = WriteJsonInt(out, c.selected);
    *out++ = '}';
  }
  out = WriteJsonRaw(out, "]}");
  EndLine(out);
}

void SessionRecorder::Flush() {
  if (!Active() || buffer_.Empty()) return;
  size_t done = 0;
  while (done < buffer_.Size()) {
    const ssize_t n = ::write(fd_, buffer_.Data() + done, buffer_.Size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : EIO;
      // Half a line in the file would make all of it unreadable.
      if (::ftruncate(fd_, static_cast<off_t>(written_)) != 0) {
        Fail(std::string("cannot write: ") + std::strerror(error) +
             "; the last line may be cut short");
      } else {
        Fail(std::string("cannot write: ") + std::strerror(error));
      }
      return;
    }
    done += static_cast<size_t>(n);
  }
  written_ += buffer_.Size();
  buffer_.Clear();
}

void SessionRecorder::Fail(const std::string& reason) {
  buffer_.Clear();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (onFailure_) onFailure_(file_.string() + ": " + reason);
}

}  // namespace zqk
