#pragma once
// Writes a session recording (docs/recording.md). Lines are composed into a
// buffer and written whole: when the buffer passes 64 KiB, and whenever the
// owner flushes it, at the end of each pass of its event loop. A crash loses
// at most that buffer and never leaves half a line. A write that fails stops
// the recording: the file is cut back to its last whole line, the failure
// handler learns why, and the session goes on without it.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "agent/SessionEntry.h"
#include "agent/SessionJson.h"
#include "agent/abi/AgentAbi.h"
#include "agent/abi/DispatchIds.h"

namespace zqk {

class SessionRecorder {
 public:
  // Agent time in milliseconds; the recording's times count from its start.
  using Clock = std::function<int64_t()>;
  // Why the recording stopped (UTF-8, naming the file).
  using FailureHandler = std::function<void(const std::string& reason)>;

  // The buffer is written once it holds this much.
  static constexpr size_t kFlushBytes = size_t{64} << 10;

  // Creates or empties `file` (a regular file) and writes the header; nullptr
  // and a UTF-8 reason when it cannot.
  static std::unique_ptr<SessionRecorder> Start(const std::filesystem::path& file,
                                                std::string_view classId, Clock clock,
                                                std::string* reason);
  // Writes what is buffered and closes the file.
  ~SessionRecorder();
  SessionRecorder(const SessionRecorder&) = delete;
  SessionRecorder& operator=(const SessionRecorder&) = delete;

  void SetFailureHandler(FailureHandler handler) { onFailure_ = std::move(handler); }
  // False once a write has failed: nothing more is recorded.
  bool Active() const { return fd_ >= 0; }
  const std::filesystem::path& File() const { return file_; }

  // An agent call: its arguments, the component's status and result (for a
  // failure, its error text), and the time the call took.
  void Call(const OperationInfo& op, std::span<const zqk_value> args, int32_t status,
            const zqk_value& result, int64_t ns);
  // An event as the component fired it; `nested` when fired inside a call,
  // `driven` when inside a driver's request outside the agent interface.
  void Event(int32_t dispid, std::span<const zqk_value> args, bool nested, bool driven = false);
  void ControlCreated(bool ok, std::string_view error);
  void ControlDestroyed();
  void Step(const RecordedStep& step);
  void State(const RecordedState& state);

  // Writes the buffered lines now.
  void Flush();

 private:
  SessionRecorder(std::filesystem::path file, int fd, Clock clock);
  // Starts a line of at most `maxBytes` beyond its fixed parts with its time,
  // and returns where the rest goes. A call takes the time of the step or
  // event in whose handling it is made, rather than asking the clock a dozen
  // times for one record.
  char* BeginLine(size_t maxBytes, bool readClock = true);
  // Ends the line whose last byte went before `out`; writes the buffer when
  // it is full.
  void EndLine(char* out);
  void Fail(const std::string& reason);

  std::filesystem::path file_;
  int fd_;
  Clock clock_;
  int64_t startMs_ = 0;
  int64_t timeMs_ = 0;  // of the last line that read the clock
  JsonLineBuffer buffer_;
  size_t lineStart_ = 0;
  uint64_t written_ = 0;  // bytes of whole lines in the file
  FailureHandler onFailure_;
};

}  // namespace zqk
