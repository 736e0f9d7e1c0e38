#pragma once
// Reads a session recording (docs/recording.md) entry by entry, checking each
// line as it comes: its JSON, its fields and their types, and that it fits
// what came before (time never goes back, calls and events only while an
// agent control exists, a reply or a real-time record only for a code or key
// that a call since the control's creation asked for). The file is read line
// by line, so that a recording of any length costs the memory of one line.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "agent/SessionEntry.h"
#include "files/LineReader.h"

namespace zqk {

class RecordingReader {
 public:
  // Opens `file` and reads its header; nullptr with the fault otherwise.
  static std::unique_ptr<RecordingReader> Open(const std::filesystem::path& file,
                                               const RecordingReadOptions& options,
                                               RecordingError* error);

  const RecordingHeader& Header() const { return header_; }
  // The next entry; false at the end of the recording or at a fault, which
  // Error() then holds.
  bool Next(RecordedEntry& entry);
  const std::optional<RecordingError>& Error() const { return error_; }

 private:
  RecordingReader(std::unique_ptr<LineReader> lines, RecordingReadOptions options)
      : lines_(std::move(lines)), options_(std::move(options)) {}
  // The next line's text; false at the end or a fault.
  bool NextLine(std::string& line);
  bool Fault(size_t line, std::string reason);
  // Throws the reason when the entry does not fit what came before.
  void CheckSequence(const RecordedEntry& entry);

  std::unique_ptr<LineReader> lines_;
  RecordingReadOptions options_;
  RecordingHeader header_;
  std::optional<RecordingError> error_;
  int64_t lastTimeMs_ = 0;
  bool controlUp_ = false;
  // Replies and real-time records are checked against requests from the
  // control's creation on; a recording begun with the control up is not
  // checked until its next creation.
  bool checking_ = false;
  std::set<std::string> requestedCodes_;
  std::set<std::string> registeredKeys_;
  bool masterFilesRequested_ = false;
};

// Reads all of a recording; its first fault, if any.
std::optional<RecordingError> CheckRecording(const std::filesystem::path& file,
                                             const RecordingReadOptions& options);

}  // namespace zqk
