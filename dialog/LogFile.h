#pragma once
// Saving the event log: every line with CRLF, appended to what the file holds.

#include <filesystem>
#include <string>

#include "dialog/EventLog.h"

namespace zqk {

// The log file's name, beside the executable.
inline constexpr const char* kLogFileName = "ocx_log.log";

struct LogSaveResult {
  enum class Status { kOk, kOpenFailed, kWriteFailed };
  Status status = Status::kOk;
  int error = 0;  // errno of the failure
};

// Opens `path` for appending (creating it if missing) and writes every line of
// `log` followed by CR LF, in large buffered writes; a line feed inside a line
// is written as CR LF as well. The log is not changed. Anything but a regular
// file is not opened (kOpenFailed).
LogSaveResult AppendLogToFile(const EventLog& log, const std::filesystem::path& path);

}  // namespace zqk
