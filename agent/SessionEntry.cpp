#include "agent/SessionEntry.h"

#include <cstdio>

#include "text/Cp949Table.h"

namespace zqk {
namespace {

void AppendHexEscape(std::string& out, unsigned char c) {
  char hex[5];
  std::snprintf(hex, sizeof hex, "\\x%02X", c);
  out += hex;
}

std::string DescribeValue(const RecordedValue& v) {
  return v.type == ValueType::kLong ? std::to_string(v.i4) : QuoteForMessage(v.str);
}

template <size_t N>
std::string_view NameAt(const std::string_view (&names)[N], int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < N ? names[index] : std::string_view("?");
}

}  // namespace

std::string EventName(int32_t dispid) {
  const EventInfo* info = FindEvent(dispid);
  return info ? std::string(info->name) : "event " + std::to_string(dispid);
}

std::string_view StepName(StepKind kind) {
  return kStepNames[static_cast<size_t>(kind)];
}

std::string QuoteForMessage(std::string_view cp949, size_t maxBytes) {
  const bool cut = cp949.size() > maxBytes;
  if (cut) cp949 = cp949.substr(0, maxBytes);
  std::string out = "\"";
  for (size_t i = 0; i < cp949.size(); ++i) {
    const auto c = static_cast<unsigned char>(cp949[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      AppendHexEscape(out, c);
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (i + 1 < cp949.size() && AppendCp949AsUtf8(cp949.substr(i, 2), out)) {
      ++i;
    } else {
      AppendHexEscape(out, c);
    }
  }
  out += '"';
  if (cut) out += "...";
  return out;
}

std::string DescribeCall(std::string_view name, std::span<const RecordedValue> args) {
  std::string out(name);
  out += '(';
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) out += ", ";
    out += DescribeValue(args[i]);
  }
  out += ')';
  return out;
}

std::string DescribeStep(const RecordedStep& s) {
  std::string out = "the step ";
  out += StepName(s.kind);
  switch (s.kind) {
    case StepKind::kSet:
      out += ' ' + std::to_string(s.control) + ' ' + QuoteForMessage(s.text);
      break;
    case StepKind::kClick:
      out += ' ' + std::to_string(s.control);
      break;
    case StepKind::kSelect:
      out += ' ' + std::to_string(s.control) + ' ' + std::to_string(s.number);
      break;
    case StepKind::kSysCommand:
      out += ' ' + std::to_string(s.number);
      break;
    case StepKind::kInspect:
      out += s.number ? " on" : " off";
      break;
    case StepKind::kBox:
      out = "the message box " + QuoteForMessage(s.text) + " (" +
            std::string(NameAt(kBoxButtonNames, s.buttons)) + ") answered " +
            std::string(NameAt(kBoxAnswerNames, s.number));
      break;
    case StepKind::kOk:
    case StepKind::kCancel:
    case StepKind::kDestroy:
    case StepKind::kEnter:
    case StepKind::kEscape:
      break;
  }
  return out;
}

std::string DescribeEntry(const RecordedEntry& e) {
  switch (e.kind) {
    case RecordedEntry::Kind::kCall:
      return "the call " + DescribeCall(e.op->name, e.args);
    case RecordedEntry::Kind::kEvent:
      return std::string(e.nested ? "the event fired inside the next call " : "the event ") +
             DescribeCall(EventName(e.eventDispid), e.args);
    case RecordedEntry::Kind::kCreate:
      return e.created ? "the agent control's creation" : "a failed creation of the agent control";
    case RecordedEntry::Kind::kDestroy:
      return "the agent control's destruction";
    case RecordedEntry::Kind::kStep:
      return DescribeStep(e.step);
    case RecordedEntry::Kind::kState:
      return "the console's state";
  }
  return {};
}

}  // namespace zqk
