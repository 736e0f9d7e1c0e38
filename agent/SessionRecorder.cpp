#include "agent/SessionRecorder.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "agent/SessionJson.h"
#include "files/RegularFile.h"

namespace zqk {
namespace {

void AppendValue(std::string& out, const zqk_value& v) {
  if (v.type == ZQK_VT_I4) {
    AppendJsonInt(out, v.i4);
  } else if (v.type == ZQK_VT_STR) {
    AppendJsonText(out, v.len > 0 && v.str ? std::string_view(v.str, v.len) : std::string_view());
  } else {
    out += "null";
  }
}

void AppendArgs(std::string& out, std::span<const zqk_value> args) {
  out += ",\"args\":[";
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) out += ',';
    AppendValue(out, args[i]);
  }
  out += ']';
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
  std::string& out = recorder->buffer_;
  out += "{\"recording\":";
  AppendJsonText(out, kRecordingFormatName);
  out += ",\"version\":";
  AppendJsonInt(out, kRecordingVersion);
  out += ",\"classId\":";
  AppendJsonText(out, classId);
  out += ",\"started\":";
  AppendJsonText(out, LocalTimeIso8601());
  out += "}\n";
  recorder->Flush();
  if (!recorder->Active()) {
    if (reason) *reason = "the header cannot be written";
    return nullptr;
  }
  return recorder;
}

SessionRecorder::SessionRecorder(std::filesystem::path file, int fd, Clock clock)
    : file_(std::move(file)), fd_(fd), clock_(std::move(clock)), startMs_(clock_()) {
  buffer_.reserve(2 * kFlushBytes);
}

SessionRecorder::~SessionRecorder() {
  Flush();
  if (fd_ >= 0) ::close(fd_);
}

void SessionRecorder::BeginLine(bool readClock) {
  if (readClock) timeMs_ = clock_() - startMs_;
  buffer_ += "{\"t\":";
  AppendJsonInt(buffer_, timeMs_);
}

void SessionRecorder::EndLine(size_t lineStart) {
  buffer_ += "}\n";
  if (buffer_.size() - lineStart > kMaxRecordingLineBytes) {
    // A reader would refuse the line, and every line after it with it.
    const size_t bytes = buffer_.size() - lineStart;
    buffer_.resize(lineStart);
    Flush();
    Fail("a line of " + std::to_string(bytes) + " bytes is longer than a recording may hold (" +
         DescribeSize(kMaxRecordingLineBytes) + ")");
    return;
  }
  if (buffer_.size() >= kFlushBytes) Flush();
}

void SessionRecorder::Call(const OperationInfo& op, std::span<const zqk_value> args, int32_t status,
                           const zqk_value& result, int64_t ns) {
  if (!Active()) return;
  const size_t start = buffer_.size();
  BeginLine(false);
  buffer_ += ",\"call\":\"";
  buffer_ += op.name;
  buffer_ += '"';
  AppendArgs(buffer_, args);
  if (status != ZQK_OK) {
    buffer_ += ",\"status\":";
    AppendJsonInt(buffer_, status);
  }
  if (result.type != ZQK_VT_EMPTY) {
    buffer_ += ",\"result\":";
    AppendValue(buffer_, result);
  }
  buffer_ += ",\"ns\":";
  AppendJsonInt(buffer_, ns);
  EndLine(start);
}

void SessionRecorder::Event(int32_t dispid, std::span<const zqk_value> args, bool nested,
                            bool driven) {
  if (!Active()) return;
  const size_t start = buffer_.size();
  BeginLine();
  buffer_ += ",\"event\":";
  if (const EventInfo* info = FindEvent(dispid)) {
    buffer_ += '"';
    buffer_ += info->name;
    buffer_ += '"';
  } else {
    AppendJsonInt(buffer_, dispid);
  }
  AppendArgs(buffer_, args);
  if (nested) buffer_ += ",\"nested\":true";
  if (driven) buffer_ += ",\"driven\":true";
  EndLine(start);
}

void SessionRecorder::ControlCreated(bool ok, std::string_view error) {
  if (!Active()) return;
  const size_t start = buffer_.size();
  BeginLine();
  buffer_ += ",\"control\":\"create\",\"ok\":";
  AppendJsonBool(buffer_, ok);
  if (!ok) {
    buffer_ += ",\"error\":";
    AppendJsonText(buffer_, error);
  }
  EndLine(start);
}

void SessionRecorder::ControlDestroyed() {
  if (!Active()) return;
  const size_t start = buffer_.size();
  BeginLine();
  buffer_ += ",\"control\":\"destroy\"";
  EndLine(start);
}

void SessionRecorder::Step(const RecordedStep& s) {
  if (!Active()) return;
  const size_t start = buffer_.size();
  BeginLine();
  buffer_ += ",\"step\":\"";
  buffer_ += StepName(s.kind);
  buffer_ += '"';
  switch (s.kind) {
    case StepKind::kSet:
      buffer_ += ",\"id\":";
      AppendJsonInt(buffer_, s.control);
      buffer_ += ",\"text\":";
      AppendJsonText(buffer_, s.text);
      break;
    case StepKind::kClick:
      buffer_ += ",\"id\":";
      AppendJsonInt(buffer_, s.control);
      break;
    case StepKind::kSelect:
      buffer_ += ",\"id\":";
      AppendJsonInt(buffer_, s.control);
      buffer_ += ",\"index\":";
      AppendJsonInt(buffer_, s.number);
      break;
    case StepKind::kSysCommand:
      buffer_ += ",\"command\":";
      AppendJsonInt(buffer_, s.number);
      break;
    case StepKind::kBox:
      buffer_ += ",\"text\":";
      AppendJsonText(buffer_, s.text);
      buffer_ += ",\"caption\":";
      AppendJsonText(buffer_, s.caption);
      buffer_ += ",\"buttons\":\"";
      buffer_ += kBoxButtonNames[s.buttons];
      buffer_ += "\",\"icon\":\"";
      buffer_ += kBoxIconNames[s.icon];
      buffer_ += "\",\"answer\":\"";
      buffer_ += kBoxAnswerNames[s.number];
      buffer_ += '"';
      break;
    case StepKind::kOk:
    case StepKind::kCancel:
    case StepKind::kDestroy:
      break;
  }
  EndLine(start);
}

void SessionRecorder::State(const RecordedState& state) {
  if (!Active()) return;
  const size_t start = buffer_.size();
  BeginLine();
  buffer_ += ",\"state\":{\"control\":";
  AppendJsonBool(buffer_, state.controlUp);
  buffer_ += ",\"members\":{";
  for (size_t i = 0; i < state.members.size(); ++i) {
    if (i > 0) buffer_ += ',';
    AppendJsonText(buffer_, state.members[i].first);
    buffer_ += ':';
    AppendJsonText(buffer_, state.members[i].second);
  }
  buffer_ += "},\"controls\":[";
  for (size_t i = 0; i < state.controls.size(); ++i) {
    const RecordedControl& c = state.controls[i];
    if (i > 0) buffer_ += ',';
    buffer_ += "{\"id\":";
    AppendJsonInt(buffer_, c.id);
    buffer_ += ",\"text\":";
    AppendJsonText(buffer_, c.text);
    buffer_ += ",\"checked\":";
    AppendJsonBool(buffer_, c.checked);
    buffer_ += ",\"enabled\":";
    AppendJsonBool(buffer_, c.enabled);
    buffer_ += ",\"visible\":";
    AppendJsonBool(buffer_, c.visible);
    buffer_ += ",\"items\":[";
    for (size_t j = 0; j < c.items.size(); ++j) {
      if (j > 0) buffer_ += ',';
      AppendJsonText(buffer_, c.items[j]);
    }
    buffer_ += "],\"selected\":";
    AppendJsonInt(buffer_, c.selected);
    buffer_ += '}';
  }
  buffer_ += "]}";
  EndLine(start);
}

void SessionRecorder::Flush() {
  if (!Active() || buffer_.empty()) return;
  size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
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
  written_ += buffer_.size();
  buffer_.clear();
}

void SessionRecorder::Fail(const std::string& reason) {
  buffer_.clear();
  buffer_.shrink_to_fit();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (onFailure_) onFailure_(file_.string() + ": " + reason);
}

}  // namespace zqk
