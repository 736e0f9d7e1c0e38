#include "dialog/LogExport.h"

#include "dialog/LogTimestamp.h"
#include "text/Blanks.h"

namespace zqk {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendHex(std::string_view bytes, std::string& out) {
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += kHexDigits[b >> 4];
    out += kHexDigits[b & 15];
  }
}

// A CSV field: quoted when it holds a comma, a quote or a line break.
void AppendCsvField(std::string_view field, std::string& out) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    out.append(field);
    return;
  }
  out += '"';
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// A JSON string (the text is UTF-8 already): quotes, backslashes and control
// characters escaped.
void AppendJsonString(std::string_view text, std::string& out) {
  out += '"';
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20) {
      out.append("\\u00");
      out += kHexDigits[b >> 4];
      out += kHexDigits[b & 15];
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace

void LogExportWriter::AppendHeader(std::string& out) const {
  if (format_ == ExportFormat::kCsv) out.append("time,text,hex\r\n");
}

void LogExportWriter::AppendLine(std::string_view line, std::string& out) {
  const std::string_view body = StripLogTimestamp(line);
  // "[PM 03:07:09]  " -> "PM 03:07:09"
  std::string_view time = TrimTrailingBlanks(line.substr(0, line.size() - body.size()));
  if (time.size() >= 2) time = time.substr(1, time.size() - 2);
  text_.clear();
  const bool whole = utf8_.Append(body, text_);
  if (format_ == ExportFormat::kCsv) {
    AppendCsvField(time, out);
    out += ',';
    AppendCsvField(text_, out);
    out += ',';
    if (!whole) AppendHex(body, out);
    out.append("\r\n");
    return;
  }
  out.append("{\"time\":");
  AppendJsonString(time, out);
  out.append(",\"text\":");
  AppendJsonString(text_, out);
  if (!whole) {
    out.append(",\"hex\":\"");
    AppendHex(body, out);
    out += '"';
  }
  out.append("}\n");
}

}  // namespace zqk
