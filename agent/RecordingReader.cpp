#include "agent/RecordingReader.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QString>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "files/RegularFile.h"
#include "text/Blanks.h"
#include "text/Cp949Table.h"

namespace zqk {
namespace {

// A fault of one line; the reader adds the line's number.
struct LineFault : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Reject(const std::string& where, const std::string& why) {
  throw LineFault(where + ": " + why);
}

std::string Utf8(const QString& s) {
  return s.toUtf8().toStdString();
}

int64_t ToInteger(const QJsonValue& v, const std::string& where, int64_t min, int64_t max) {
  const double d = v.toDouble();
  if (!v.isDouble() || std::floor(d) != d || d < static_cast<double>(min) ||
      d > static_cast<double>(max)) {
    Reject(where,
           "must be a whole number from " + std::to_string(min) + " to " + std::to_string(max));
  }
  return static_cast<int64_t>(d);
}

int32_t ToLong(const QJsonValue& v, const std::string& where) {
  return static_cast<int32_t>(ToInteger(v, where, std::numeric_limits<int32_t>::min(),
                                        std::numeric_limits<int32_t>::max()));
}

bool ToBool(const QJsonValue& v, const std::string& where) {
  if (!v.isBool()) Reject(where, "must be true or false");
  return v.toBool();
}

std::string HexBytes(const QJsonValue& v, const std::string& where) {
  if (!v.isString()) Reject(where, "must be a string of hex digits");
  const QString digits = v.toString();
  if (digits.size() % 2 != 0) Reject(where, "has an odd number of hex digits");
  std::string bytes;
  bytes.reserve(static_cast<size_t>(digits.size() / 2));
  auto digit = [&](QChar c) -> int {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    Reject(where, "is not hexadecimal");
  };
  for (qsizetype i = 0; i < digits.size(); i += 2) {
    bytes += static_cast<char>(digit(digits[i]) << 4 | digit(digits[i + 1]));
  }
  return bytes;
}

// A text: a JSON string of CP949 characters, or {"hex": "..."} of any bytes.
std::string ToText(const QJsonValue& v, const std::string& where) {
  if (v.isObject()) {
    const QJsonObject o = v.toObject();
    if (o.size() != 1 || !o.contains(u"hex")) {
      Reject(where, "must be a string or {\"hex\": \"...\"}");
    }
    return HexBytes(o[u"hex"], where + ".hex");
  }
  if (!v.isString()) Reject(where, "must be a string or {\"hex\": \"...\"}");
  const QString s = v.toString();
  std::string cp949;
  cp949.reserve(static_cast<size_t>(s.size()));
  for (qsizetype i = 0; i < s.size(); ++i) {
    const char16_t u = s[i].unicode();
    if ((u >= 0xD800 && u <= 0xDFFF) || !AppendCodePointAsCp949(u, cp949)) {
      Reject(where, "holds a character that CP949 cannot represent (write its bytes as hex)");
    }
  }
  return cp949;
}

// A value that is a long or a text, taken as it comes (event arguments, results).
RecordedValue ToAnyValue(const QJsonValue& v, const std::string& where) {
  RecordedValue out;
  if (v.isDouble()) {
    out.type = ValueType::kLong;
    out.i4 = ToLong(v, where);
  } else {
    out.type = ValueType::kString;
    out.str = ToText(v, where);
  }
  return out;
}

RecordedValue ToValue(const QJsonValue& v, ValueType type, const std::string& where) {
  RecordedValue out;
  out.type = type;
  if (type == ValueType::kLong) {
    out.i4 = ToLong(v, where);
  } else {
    out.str = ToText(v, where);
  }
  return out;
}

// Rejects a key the kind of line does not have, and a missing required one.
void CheckKeys(const QJsonObject& o, std::initializer_list<const char*> required,
               std::initializer_list<const char*> optional) {
  for (auto it = o.begin(); it != o.end(); ++it) {
    bool known = false;
    for (const char* k : required) known = known || it.key() == QLatin1StringView(k);
    for (const char* k : optional) known = known || it.key() == QLatin1StringView(k);
    if (!known) Reject("\"" + Utf8(it.key()) + "\"", "is no field of this line");
  }
  for (const char* k : required) {
    if (!o.contains(QLatin1StringView(k))) Reject(std::string("\"") + k + "\"", "is missing");
  }
}

template <size_t N>
int32_t ToName(const QJsonValue& v, const std::string_view (&names)[N], const std::string& where) {
  const std::string name = v.isString() ? Utf8(v.toString()) : std::string();
  for (size_t i = 0; i < N; ++i) {
    if (names[i] == name) return static_cast<int32_t>(i);
  }
  std::string list;
  for (size_t i = 0; i < N; ++i) list.append(i ? ", " : "").append(names[i]);
  Reject(where, "must be one of " + list);
}

const OperationInfo* OperationNamed(const QString& name) {
  for (const OperationInfo& op : Operations()) {
    if (QLatin1StringView(op.name.data(), static_cast<qsizetype>(op.name.size())) == name) {
      return &op;
    }
  }
  return nullptr;
}

const EventInfo* EventNamed(const QString& name) {
  for (const EventInfo& ev : Events()) {
    if (QLatin1StringView(ev.name.data(), static_cast<qsizetype>(ev.name.size())) == name) {
      return &ev;
    }
  }
  return nullptr;
}

QJsonArray ToArray(const QJsonValue& v, const std::string& where) {
  if (!v.isArray()) Reject(where, "must be an array");
  return v.toArray();
}

void ParseCall(const QJsonObject& o, RecordedEntry& e) {
  CheckKeys(o, {"t", "call", "args", "ns"}, {"status", "result"});
  e.kind = RecordedEntry::Kind::kCall;
  e.op = o[u"call"].isString() ? OperationNamed(o[u"call"].toString()) : nullptr;
  if (!e.op) Reject("call", "names no operation of the agent");
  const QJsonArray args = ToArray(o[u"args"], "args");
  if (static_cast<size_t>(args.size()) != e.op->params.size()) {
    Reject("args", std::string(e.op->name) + " takes " + std::to_string(e.op->params.size()) +
                       " argument(s), not " + std::to_string(args.size()));
  }
  for (qsizetype i = 0; i < args.size(); ++i) {
    e.args.push_back(
        ToValue(args[i], e.op->params[static_cast<size_t>(i)], "args[" + std::to_string(i) + "]"));
  }
  if (o.contains(u"status")) e.status = ToLong(o[u"status"], "status");
  // The result as the component gave it, whatever its type: the console
  // meets it again on replay and says what it says of it.
  if (o.contains(u"result")) e.result = ToAnyValue(o[u"result"], "result");
  e.ns = ToInteger(o[u"ns"], "ns", 0, std::numeric_limits<int64_t>::max() / 2);
}

void ParseEvent(const QJsonObject& o, RecordedEntry& e) {
  CheckKeys(o, {"t", "event", "args"}, {"nested", "driven"});
  e.kind = RecordedEntry::Kind::kEvent;
  const QJsonValue event = o[u"event"];
  if (event.isString()) {
    const EventInfo* info = EventNamed(event.toString());
    if (!info) Reject("event", "names no event of the agent");
    e.eventDispid = static_cast<int32_t>(info->dispid);
  } else {
    e.eventDispid = ToLong(event, "event");
  }
  const QJsonArray args = ToArray(o[u"args"], "args");
  if (args.size() > 16) Reject("args", "more than 16 arguments");
  for (qsizetype i = 0; i < args.size(); ++i) {
    e.args.push_back(ToAnyValue(args[i], "args[" + std::to_string(i) + "]"));
  }
  if (o.contains(u"nested")) e.nested = ToBool(o[u"nested"], "nested");
  if (o.contains(u"driven")) e.driven = ToBool(o[u"driven"], "driven");
}

void ParseControl(const QJsonObject& o, RecordedEntry& e) {
  const QString what = o[u"control"].toString();
  if (what == u"create") {
    CheckKeys(o, {"t", "control", "ok"}, {"error"});
    e.kind = RecordedEntry::Kind::kCreate;
    e.created = ToBool(o[u"ok"], "ok");
    if (o.contains(u"error")) e.error = ToText(o[u"error"], "error");
  } else if (what == u"destroy") {
    CheckKeys(o, {"t", "control"}, {});
    e.kind = RecordedEntry::Kind::kDestroy;
  } else {
    Reject("control", "must be \"create\" or \"destroy\"");
  }
}

void ParseStep(const QJsonObject& o, RecordedEntry& e) {
  e.kind = RecordedEntry::Kind::kStep;
  RecordedStep& s = e.step;
  s.kind = static_cast<StepKind>(ToName(o[u"step"], kStepNames, "step"));
  switch (s.kind) {
    case StepKind::kSet:
      CheckKeys(o, {"t", "step", "id", "text"}, {});
      s.control = ToLong(o[u"id"], "id");
      s.text = ToText(o[u"text"], "text");
      break;
    case StepKind::kClick:
      CheckKeys(o, {"t", "step", "id"}, {});
      s.control = ToLong(o[u"id"], "id");
      break;
    case StepKind::kSelect:
      CheckKeys(o, {"t", "step", "id", "index"}, {});
      s.control = ToLong(o[u"id"], "id");
      s.number = static_cast<int32_t>(
          ToInteger(o[u"index"], "index", 0, std::numeric_limits<int32_t>::max()));
      break;
    case StepKind::kSysCommand:
      CheckKeys(o, {"t", "step", "command"}, {});
      s.number = ToLong(o[u"command"], "command");
      break;
    case StepKind::kInspect:
      CheckKeys(o, {"t", "step", "on"}, {});
      s.number = ToBool(o[u"on"], "on") ? 1 : 0;
      break;
    case StepKind::kBox:
      CheckKeys(o, {"t", "step", "text", "caption", "buttons", "icon", "answer"}, {});
      s.text = ToText(o[u"text"], "text");
      s.caption = ToText(o[u"caption"], "caption");
      s.buttons = ToName(o[u"buttons"], kBoxButtonNames, "buttons");
      s.icon = ToName(o[u"icon"], kBoxIconNames, "icon");
      s.number = ToName(o[u"answer"], kBoxAnswerNames, "answer");
      break;
    case StepKind::kOk:
    case StepKind::kCancel:
    case StepKind::kDestroy:
    case StepKind::kEnter:
    case StepKind::kEscape:
      CheckKeys(o, {"t", "step"}, {});
      break;
  }
}

void ParseState(const QJsonObject& o, RecordedEntry& e) {
  CheckKeys(o, {"t", "state"}, {});
  e.kind = RecordedEntry::Kind::kState;
  if (!o[u"state"].isObject()) Reject("state", "must be an object");
  const QJsonObject state = o[u"state"].toObject();
  CheckKeys(state, {"control", "members", "controls"}, {});
  auto s = std::make_shared<RecordedState>();
  s->controlUp = ToBool(state[u"control"], "state.control");
  if (!state[u"members"].isObject()) Reject("state.members", "must be an object");
  const QJsonObject members = state[u"members"].toObject();
  for (auto it = members.begin(); it != members.end(); ++it) {
    s->members.emplace_back(Utf8(it.key()), ToText(it.value(), "state.members." + Utf8(it.key())));
  }
  const QJsonArray controls = ToArray(state[u"controls"], "state.controls");
  for (qsizetype i = 0; i < controls.size(); ++i) {
    const std::string where = "state.controls[" + std::to_string(i) + "]";
    if (!controls[i].isObject()) Reject(where, "must be an object");
    const QJsonObject c = controls[i].toObject();
    CheckKeys(c, {"id", "text", "checked", "enabled", "visible", "items", "selected"}, {});
    RecordedControl control;
    control.id = ToLong(c[u"id"], where + ".id");
    control.text = ToText(c[u"text"], where + ".text");
    control.checked = ToBool(c[u"checked"], where + ".checked");
    control.enabled = ToBool(c[u"enabled"], where + ".enabled");
    control.visible = ToBool(c[u"visible"], where + ".visible");
    const QJsonArray items = ToArray(c[u"items"], where + ".items");
    for (qsizetype j = 0; j < items.size(); ++j) {
      control.items.push_back(ToText(items[j], where + ".items[" + std::to_string(j) + "]"));
    }
    control.selected = ToLong(c[u"selected"], where + ".selected");
    s->controls.push_back(std::move(control));
  }
  e.state = std::move(s);
}

QJsonObject ParseObject(const std::string& line) {
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(
      QByteArray::fromRawData(line.data(), static_cast<qsizetype>(line.size())), &error);
  if (error.error != QJsonParseError::NoError) {
    throw LineFault("not JSON: " + Utf8(error.errorString()) + " at byte " +
                    std::to_string(error.offset + 1));
  }
  if (!doc.isObject()) throw LineFault("not a JSON object");
  return doc.object();
}

RecordingHeader ParseHeader(const QJsonObject& o) {
  RecordingHeader h;
  if (!o[u"recording"].isString() || Utf8(o[u"recording"].toString()) != kRecordingFormatName) {
    Reject("\"recording\"",
           "must be \"" + std::string(kRecordingFormatName) + "\": this is no session recording");
  }
  // The version first: a newer recording may hold what this reader does not know.
  h.version =
      static_cast<int>(ToInteger(o[u"version"], "version", 1, std::numeric_limits<int32_t>::max()));
  if (h.version > kRecordingVersion) {
    Reject("version", "the recording is of format version " + std::to_string(h.version) +
                          ", newer than this console reads (" + std::to_string(kRecordingVersion) +
                          ")");
  }
  CheckKeys(o, {"recording", "version", "classId"}, {"started"});
  h.classId = ToText(o[u"classId"], "classId");
  if (o.contains(u"started")) h.started = ToText(o[u"started"], "started");
  return h;
}

std::string Quote(const std::string& cp949) {
  return QuoteForMessage(cp949);
}

}  // namespace

std::unique_ptr<RecordingReader> RecordingReader::Open(const std::filesystem::path& file,
                                                       const RecordingReadOptions& options,
                                                       RecordingError* error) {
  std::string reason;
  std::unique_ptr<LineReader> lines = LineReader::Open(file, options.maxLineBytes, &reason);
  if (!lines) {
    if (error) *error = {0, "cannot be read: " + reason};
    return nullptr;
  }
  std::unique_ptr<RecordingReader> reader(new RecordingReader(std::move(lines), options));
  std::string line;
  if (!reader->NextLine(line)) {
    if (error) *error = reader->error_.value_or(RecordingError{1, "the recording is empty"});
    return nullptr;
  }
  try {
    reader->header_ = ParseHeader(ParseObject(line));
  } catch (const LineFault& fault) {
    if (error) *error = {1, fault.what()};
    return nullptr;
  }
  return reader;
}

bool RecordingReader::Fault(size_t line, std::string reason) {
  error_ = RecordingError{line, std::move(reason)};
  return false;
}

bool RecordingReader::NextLine(std::string& line) {
  if (error_) return false;
  switch (lines_->Next(line)) {
    case LineReader::Status::kLine:
      return true;
    case LineReader::Status::kEnd:
      if (lines_->LineNumber() == 0) return Fault(1, "the recording is empty");
      return false;
    case LineReader::Status::kTooLong:
      return Fault(lines_->LineNumber(), "the line is longer than the limit of " +
                                             DescribeSize(options_.maxLineBytes) +
                                             ": not read further");
    case LineReader::Status::kUnterminated:
      return Fault(lines_->LineNumber(),
                   "the file ends inside this line: the recording is cut short");
    case LineReader::Status::kFailed:
      return Fault(lines_->LineNumber(), "cannot be read: " + lines_->Error());
  }
  return false;
}

bool RecordingReader::Next(RecordedEntry& entry) {
  std::string line;
  if (!NextLine(line)) return false;
  entry = RecordedEntry{};
  entry.line = lines_->LineNumber();
  try {
    const QJsonObject o = ParseObject(line);
    entry.timeMs = ToInteger(o[u"t"], "t", 0, int64_t{1} << 53);
    int kinds = 0;
    for (const char16_t* key : {u"call", u"event", u"control", u"step", u"state"}) {
      if (o.contains(QStringView(key))) ++kinds;
    }
    if (kinds != 1) {
      throw LineFault(
          "a line holds exactly one of \"call\", \"event\", \"control\", \"step\", \"state\"");
    }
    if (o.contains(u"call")) {
      ParseCall(o, entry);
    } else if (o.contains(u"event")) {
      ParseEvent(o, entry);
    } else if (o.contains(u"control")) {
      ParseControl(o, entry);
    } else if (o.contains(u"step")) {
      ParseStep(o, entry);
    } else {
      if (entry.line != 2) throw LineFault("the state can only follow the header");
      ParseState(o, entry);
    }
    CheckSequence(entry);
  } catch (const LineFault& fault) {
    return Fault(entry.line, fault.what());
  }
  return true;
}

void RecordingReader::CheckSequence(const RecordedEntry& e) {
  if (e.timeMs < lastTimeMs_) {
    throw LineFault("t: the time goes back (" + std::to_string(e.timeMs) + " after " +
                    std::to_string(lastTimeMs_) + ")");
  }
  lastTimeMs_ = e.timeMs;
  using Kind = RecordedEntry::Kind;
  switch (e.kind) {
    case Kind::kState:
      controlUp_ = e.state->controlUp;
      return;
    case Kind::kCreate:
      if (controlUp_) throw LineFault("the agent control is created while it exists");
      if (!e.created) return;
      controlUp_ = true;
      checking_ = true;
      requestedCodes_.clear();
      registeredKeys_.clear();
      masterFilesRequested_ = false;
      return;
    case Kind::kDestroy:
      if (!controlUp_) throw LineFault("the agent control is destroyed while none exists");
      controlUp_ = false;
      return;
    case Kind::kStep:
      return;
    case Kind::kCall:
      if (!controlUp_) throw LineFault("a call while no agent control exists");
      switch (e.op->dispid) {
        // The edits' texts go out as typed, blanks and all: agents do not
        // take the blanks around a code or key as part of it.
        case Dispid::kRequestTr:
        case Dispid::kRequestFid:
        case Dispid::kSendOrder:
          requestedCodes_.emplace(TrimBlanks(e.args[0].str));
          break;
        case Dispid::kAddReal:
          registeredKeys_.emplace(TrimBlanks(e.args[0].str));
          break;
        case Dispid::kAddOrderReal:
          registeredKeys_.emplace(TrimBlanks(e.args[1].str));
          break;
        case Dispid::kRequestMasterFile:
          masterFilesRequested_ = true;
          break;
        default:
          break;
      }
      return;
    case Kind::kEvent:
      break;
  }
  if (!controlUp_) throw LineFault("an event while no agent control exists");
  if (!checking_ || e.driven || e.args.size() != 2 || e.args[0].type != ValueType::kString) return;
  const std::string code(TrimBlanks(e.args[0].str));
  if (e.eventDispid == static_cast<int32_t>(EventDispid::kOnTrReply) &&
      !requestedCodes_.contains(code) &&
      !(masterFilesRequested_ && code == options_.masterFileReplyCode)) {
    throw LineFault("a reply to " + Quote(code) +
                    ", which no request since the agent control's creation named");
  }
  if (e.eventDispid == static_cast<int32_t>(EventDispid::kOnRealData) &&
      !registeredKeys_.contains(code)) {
    throw LineFault("a real-time record for " + Quote(code) +
                    ", which no registration since the agent control's creation named");
  }
}

std::optional<RecordingError> CheckRecording(const std::filesystem::path& file,
                                             const RecordingReadOptions& options) {
  RecordingError error;
  std::unique_ptr<RecordingReader> reader = RecordingReader::Open(file, options, &error);
  if (!reader) return error;
  RecordedEntry entry;
  while (reader->Next(entry)) {
  }
  return reader->Error();
}

}  // namespace zqk
