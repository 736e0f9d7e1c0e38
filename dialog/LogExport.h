#pragma once
// Log lines as the log window exports them: UTF-8, one record a line with the
// time of the line apart from its text, as CSV (RFC 4180, with a header) or
// as JSON Lines. A line whose bytes are not all CP949 text keeps them: its
// text shows U+FFFD for each such byte, and a "hex" field holds every byte of
// the text, so that nothing of what the agent sent is lost.

#include <string>
#include <string_view>

#include "text/Cp949.h"

namespace zqk {

enum class ExportFormat { kCsv, kJsonLines };

class LogExportWriter {
 public:
  explicit LogExportWriter(ExportFormat format) : format_(format) {}

  // What comes before the first line (the CSV header; nothing for JSON Lines).
  void AppendHeader(std::string& out) const;
  // One log line (CP949, with its timestamp) as one record, with its line end.
  void AppendLine(std::string_view line, std::string& out);

 private:
  ExportFormat format_;
  Cp949ToUtf8Stream utf8_;
  std::string text_;  // the text of the line in hand, kept for its capacity
};

}  // namespace zqk
