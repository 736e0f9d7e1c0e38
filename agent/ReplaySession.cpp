#include "agent/ReplaySession.h"

#include <vector>

#include "text/Cp949.h"

namespace zqk {
namespace {

bool SameArgs(std::span<const RecordedValue> recorded, std::span<const zqk_value> args) {
  if (recorded.size() != args.size()) return false;
  for (size_t i = 0; i < args.size(); ++i) {
    const RecordedValue& r = recorded[i];
    const zqk_value& a = args[i];
    if (static_cast<int32_t>(r.type) != a.type) return false;
    if (a.type == ZQK_VT_I4 && r.i4 != a.i4) return false;
    if (a.type == ZQK_VT_STR &&
        r.str != (a.len > 0 ? std::string_view(a.str, a.len) : std::string_view())) {
      return false;
    }
  }
  return true;
}

std::vector<RecordedValue> Values(std::span<const zqk_value> args) {
  std::vector<RecordedValue> values;
  for (const zqk_value& a : args) {
    RecordedValue v;
    v.type = static_cast<ValueType>(a.type);
    v.i4 = a.i4;
    if (a.type == ZQK_VT_STR && a.len > 0) v.str.assign(a.str, a.len);
    values.push_back(std::move(v));
  }
  return values;
}

}  // namespace

std::shared_ptr<ReplaySession> ReplaySession::Open(const std::filesystem::path& file,
                                                   const RecordingReadOptions& options, Steps steps,
                                                   RecordingError* error) {
  if (std::optional<RecordingError> fault = CheckRecording(file, options)) {
    if (error) *error = *fault;
    return nullptr;
  }
  RecordingError reopenError;
  std::unique_ptr<RecordingReader> reader = RecordingReader::Open(file, options, &reopenError);
  if (!reader) {
    if (error) *error = reopenError;
    return nullptr;
  }
  std::shared_ptr<ReplaySession> session(new ReplaySession(file, steps, std::move(reader)));
  // Reads up to the first entry, taking the state that comes right after the
  // header, if any, on the way.
  session->Peek();
  return session;
}

const RecordedEntry* ReplaySession::Peek() {
  if (Stopped()) return nullptr;
  while (!next_ && !atEnd_) {
    RecordedEntry entry;
    if (!reader_->Next(entry)) {
      atEnd_ = true;
      // Checked before the replay began: the file changed since.
      if (const auto& fault = reader_->Error()) {
        divergence_ = "line " + std::to_string(fault->line) + " of " + file_.string() +
                      " changed during the replay: " + fault->reason;
        return nullptr;
      }
      break;
    }
    if (entry.kind == RecordedEntry::Kind::kState) {
      initialState_ = entry.state;
      continue;
    }
    if (entry.kind == RecordedEntry::Kind::kStep && steps_ == Steps::kSkipped &&
        !StepKeptWithScript(entry.step.kind)) {
      continue;
    }
    next_ = std::move(entry);
  }
  return next_ ? &*next_ : nullptr;
}

void ReplaySession::Consume() {
  if (!next_) return;
  next_.reset();
  ++played_;
  if (onAdvance_) onAdvance_();
}

void ReplaySession::Diverge(const std::string& what) {
  if (divergence_) return;
  const RecordedEntry* next = Peek();
  std::string text = "the console " + what + ", but ";
  if (next) {
    text += "line " + std::to_string(next->line) + " of the recording has " + DescribeEntry(*next);
  } else {
    text += "the recording has ended";
  }
  divergence_ = std::move(text);
  if (onAdvance_) onAdvance_();
}

const std::string& ReplaySession::Divergence() const {
  static const std::string kNone;
  return divergence_ ? *divergence_ : kNone;
}

std::string ReplaySession::StoppedText() const {
  return Diverged() ? "the replay diverged: " + *divergence_ : std::string("the replay has ended");
}

bool ReplaySession::MatchCreate(std::string& error) {
  if (creationAllowed_) {
    creationAllowed_ = false;
    return true;
  }
  if (Stopped()) {
    error = Utf8ToCp949(StoppedText());
    return false;
  }
  const RecordedEntry* next = Peek();
  if (!next || next->kind != RecordedEntry::Kind::kCreate) {
    Diverge("created the agent control");
    error = Utf8ToCp949(StoppedText());
    return false;
  }
  const bool created = next->created;
  error = next->error;
  Consume();
  return created;
}

void ReplaySession::MatchDestroy() {
  if (Stopped()) return;
  const RecordedEntry* next = Peek();
  if (!next || next->kind != RecordedEntry::Kind::kDestroy) {
    Diverge("destroyed the agent control");
    return;
  }
  Consume();
}

void ReplaySession::Detach(const zqk_host* host) {
  if (host_ == host) host_ = nullptr;
}

ReplaySession::Answer ReplaySession::AnswerCall(const OperationInfo& op,
                                                std::span<const zqk_value> args) {
  auto stopped = [this] {
    Answer a;
    a.status = ZQK_E_FAILED;
    a.result.type = ValueType::kString;
    a.result.str = Utf8ToCp949(StoppedText());
    return a;
  };
  // What the agent fired before it returned from this call.
  for (const RecordedEntry* next = Peek();
       next && next->kind == RecordedEntry::Kind::kEvent && next->nested; next = Peek()) {
    if (!FireNext()) return stopped();
  }
  if (Stopped()) return stopped();
  const RecordedEntry* next = Peek();
  if (!next || next->kind != RecordedEntry::Kind::kCall || next->op->dispid != op.dispid ||
      !SameArgs(next->args, args)) {
    Diverge("called " + DescribeCall(op.name, Values(args)));
    return stopped();
  }
  Answer answer{next->status, next->result};
  Consume();
  return answer;
}

bool ReplaySession::FireNext() {
  const RecordedEntry* next = Peek();
  if (!next || next->kind != RecordedEntry::Kind::kEvent) return false;
  if (!host_) {
    Diverge("has no agent control");
    return false;
  }
  // The entry goes before the event is fired: the handler's calls meet the
  // entries after it. Its texts stay here until the handler returns.
  const int32_t dispid = next->eventDispid;
  const std::vector<RecordedValue> args = next->args;
  Consume();
  std::vector<zqk_value> values;
  for (const RecordedValue& a : args) {
    zqk_value v{static_cast<int32_t>(a.type), a.i4, nullptr, 0};
    if (a.type == ValueType::kString) {
      v.str = a.str.data();
      v.len = static_cast<uint32_t>(a.str.size());
    }
    values.push_back(v);
  }
  host_->fire_event(host_->context, dispid, values.data(), static_cast<uint32_t>(values.size()));
  return !Stopped();
}

void ReplaySession::MatchStep(const RecordedStep& step) {
  if ((steps_ == Steps::kSkipped && !StepKeptWithScript(step.kind)) || Stopped()) return;
  const RecordedEntry* next = Peek();
  if (next && next->kind == RecordedEntry::Kind::kStep && next->step == step) {
    Consume();
    return;
  }
  Diverge("received " + DescribeStep(step));
}

}  // namespace zqk
