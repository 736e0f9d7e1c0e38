#include "sandbox/FixtureAgent.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <stdexcept>

#include "sandbox/FixtureProtocol.h"
#include "text/Cp949.h"

namespace zqk::fixture {
namespace {

constexpr std::string_view kLogName = "ZQKFixtureAgent";

using enum ValueType;
constexpr ValueType kFireParams[] = {kString, kString};
constexpr ValueType kLoadParams[] = {kString};
constexpr ValueType kNoParam[] = {kEmpty};

constexpr OperationInfo kControlOperations[] = {
    {static_cast<Dispid>(kFixtureFireEvent), "FixtureFireEvent", kFireParams, kLong},
    {static_cast<Dispid>(kFixtureLoadFile), "FixtureLoadFile", kLoadParams, kLong},
    {static_cast<Dispid>(kFixtureLoadJson), "FixtureLoadJson", kLoadParams, kLong},
    {static_cast<Dispid>(kFixtureTakeCalls), "FixtureTakeCalls", std::span(kNoParam, 0), kString},
};

void AppendEscaped(std::string& out, unsigned char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
  }
  char hex[5];
  std::snprintf(hex, sizeof hex, "\\x%02X", c);
  out += hex;
}

// CP949 bytes as a quoted UTF-8 string that gives back the same bytes.
std::string Quote(std::string_view cp949) {
  std::string out = "\"";
  std::string run;
  auto flush = [&] {
    if (run.empty()) return;
    const std::string utf8 = Cp949ToUtf8(run);
    if (Utf8ToCp949Strict(utf8) == run) {
      out += utf8;
    } else {
      for (unsigned char c : run) {
        if (c < 0x80) {
          out += static_cast<char>(c);
        } else {
          AppendEscaped(out, c);
        }
      }
    }
    run.clear();
  };
  for (unsigned char c : cp949) {
    if (c < 0x20 || c == 0x7F || c == '"' || c == '\\') {
      flush();
      AppendEscaped(out, c);
    } else {
      run += static_cast<char>(c);
    }
  }
  flush();
  out += '"';
  return out;
}

std::string Describe(const OperationInfo& op, const kit::Args& args) {
  std::string line(op.name);
  line += '(';
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) line += ", ";
    line += op.params[i] == kLong ? std::to_string(args.Long(i)) : Quote(args.Str(i));
  }
  line += ')';
  return line;
}

std::string Utf8(const QString& s) {
  return s.toUtf8().toStdString();
}

int32_t ResolveEvent(std::string_view name) {
  for (const EventInfo& ev : Events()) {
    if (ev.name == name) return static_cast<int32_t>(ev.dispid);
  }
  int32_t dispid = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), dispid);
  if (name.empty() || ec != std::errc() || end != name.data() + name.size()) {
    throw std::invalid_argument("no event is called \"" + Cp949ToUtf8(name) + "\"");
  }
  return dispid;
}

}  // namespace

FixtureAgent::FixtureAgent(kit::Host& host) : host_(host) {
  if (const char* log = std::getenv(kFixtureLogEnv); log && *log) {
    log_.open(log, std::ios::binary | std::ios::app);
    if (!log_) kit::LogLine(kLogName, std::string("cannot write the call log ") + log);
  }
  if (const char* file = std::getenv(kFixtureFileEnv); file && *file) {
    try {
      LoadFile(file);
    } catch (const std::exception& e) {
      loadError_ = e.what();
      kit::LogLine(kLogName, *loadError_);
    }
  }
}

std::span<const OperationInfo> FixtureAgent::ExtraOperations() const {
  return kControlOperations;
}

kit::Result FixtureAgent::Invoke(int32_t dispid, const kit::Args& args) {
  if (const OperationInfo* op = FindOperation(dispid)) return CallOperation(*op, args);
  try {
    switch (dispid) {
      case kFixtureFireEvent:
        return kit::Result::Long(FireEvent(args.Str(0), args.Str(1)));
      case kFixtureLoadFile:
        LoadFile(std::string(args.Str(0)));
        return kit::Result::Long(0);
      case kFixtureLoadJson:
        Use(ParseFixture(args.Str(0)));
        return kit::Result::Long(0);
      case kFixtureTakeCalls:
        return kit::Result::String(std::exchange(untakenCalls_, {}));
    }
  } catch (const std::exception& e) {
    // Our reasons are UTF-8; error texts cross the ABI as CP949.
    throw std::runtime_error(Utf8ToCp949(e.what()));
  }
  throw std::logic_error("unhandled fixture operation");
}

kit::Result FixtureAgent::CallOperation(const OperationInfo& op, const kit::Args& args) {
  std::string line = Describe(op, args);
  auto fail = [&](const std::string& why) -> kit::Result {
    Record(line + " -> error " + Quote(why));
    throw std::runtime_error(why);
  };
  if (loadError_) return fail(Utf8ToCp949("fixture: " + *loadError_));

  std::optional<kit::Result> result;
  if (auto rules = fixture_.results.find(static_cast<int32_t>(op.dispid));
      rules != fixture_.results.end()) {
    std::vector<ResultRule::Arg> call;
    for (size_t i = 0; i < args.size(); ++i) {
      if (op.params[i] == kLong) {
        call.emplace_back(args.Long(i));
      } else {
        call.emplace_back(std::string(args.Str(i)));
      }
    }
    for (ResultRule& rule : rules->second) {
      if (!rule.Matches(call)) continue;
      const CannedResult& canned = rule.Take();
      if (canned.error) return fail(*canned.error);
      result = kit::Result{canned.type, canned.i4, canned.str};
      break;
    }
  }
  if (!result) result = FromData(op.dispid, args);

  switch (result->type) {
    case kLong:
      line += " -> " + std::to_string(result->i4);
      break;
    case kString:
      line += " -> " + Quote(result->str);
      break;
    case kEmpty:
      break;
  }
  Record(std::move(line));
  return *result;
}

kit::Result FixtureAgent::FromData(Dispid dispid, const kit::Args& a) const {
  using R = kit::Result;
  switch (dispid) {
    case Dispid::kGetRepeatCount: {
      const Page* page = PageFor(a.Str(0), a.Long(1));
      if (!page) return R::Long(0);
      auto rows = page->records.find(std::string(a.Str(2)));
      return R::Long(rows == page->records.end() ? 0 : static_cast<int32_t>(rows->second.size()));
    }
    case Dispid::kGetFieldValue: {
      const Page* page = PageFor(a.Str(0), a.Long(1));
      if (!page) return R::String({});
      auto rows = page->records.find(std::string(a.Str(2)));
      const int32_t row = a.Long(3);
      if (rows == page->records.end() || row < 0 ||
          static_cast<size_t>(row) >= rows->second.size()) {
        return R::String({});
      }
      auto value = rows->second[static_cast<size_t>(row)].find(std::string(a.Str(4)));
      return R::String(value == rows->second[static_cast<size_t>(row)].end() ? std::string()
                                                                             : value->second);
    }
    case Dispid::kGetDataBlock: {
      const Page* page = PageFor(a.Str(0), a.Long(1));
      const int32_t offset = a.Long(2);
      const int32_t length = a.Long(3);
      if (!page || offset < 0 || length <= 0 || static_cast<size_t>(offset) >= page->block.size()) {
        return R::String({});
      }
      return R::String(
          page->block.substr(static_cast<size_t>(offset), static_cast<size_t>(length)));
    }
    case Dispid::kGetLastData:
      return R::String(lastData_);
    case Dispid::kGetNextKey: {
      auto key = nextKeys_.find(a.Long(0));
      return R::String(key == nextKeys_.end() ? std::string() : key->second);
    }
    default:
      break;
  }
  const OperationInfo* op = FindOperation(static_cast<int32_t>(dispid));
  switch (op->result) {
    case kLong:
      return R::Long(0);
    case kString:
      return R::String({});
    case kEmpty:
      break;
  }
  return R::None();
}

const Page* FixtureAgent::PageFor(std::string_view code, int32_t realType) const {
  if (auto it = current_.find({std::string(code), realType}); it != current_.end()) {
    return &it->second;
  }
  // A real-time read may name another key than the event (real type 208 is
  // read under the key "0"): the last record of that real type answers it.
  if (realType == -1) return nullptr;
  auto key = lastKeyOfRealType_.find(realType);
  if (key == lastKeyOfRealType_.end()) return nullptr;
  auto it = current_.find({key->second, realType});
  return it == current_.end() ? nullptr : &it->second;
}

Page FixtureAgent::NextPage(const std::vector<Page>* pages,
                            const std::pair<std::string, int32_t>& id) {
  if (!pages) return {};
  size_t& taken = pagesTaken_[id];
  const Page& page = (*pages)[std::min(taken, pages->size() - 1)];
  if (taken < pages->size()) ++taken;
  return page;
}

int32_t FixtureAgent::FireEvent(std::string_view event, std::string_view json) {
  const int32_t dispid = ResolveEvent(event);
  QJsonParseError parseError{};
  const QJsonDocument doc = QJsonDocument::fromJson(
      QByteArray(json.data(), static_cast<qsizetype>(json.size())), &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    throw std::invalid_argument("event arguments at offset " + std::to_string(parseError.offset) +
                                ": " + Utf8(parseError.errorString()));
  }
  QJsonArray jsonArgs;
  std::optional<Page> inlinePage;
  TextBudget budget;
  if (doc.isArray()) {
    jsonArgs = doc.array();
  } else if (doc.isObject() && doc.object().contains(u"args")) {
    const QJsonObject o = doc.object();
    for (auto it = o.begin(); it != o.end(); ++it) {
      if (it.key() != u"args" && it.key() != u"data") {
        throw std::invalid_argument("event: unknown key \"" + Utf8(it.key()) + "\"");
      }
    }
    if (!o[u"args"].isArray()) throw std::invalid_argument("event: \"args\" must be an array");
    jsonArgs = o[u"args"].toArray();
    if (o.contains(u"data")) inlinePage = ParsePage(o[u"data"], "event.data", budget);
  } else {
    throw std::invalid_argument("event arguments must be a JSON array or {\"args\": [...]}");
  }

  // Strings first, then the views over them, so that no view dangles.
  const EventInfo* info = FindEvent(dispid);
  if (info && static_cast<size_t>(jsonArgs.size()) != info->params.size()) {
    throw std::invalid_argument(std::string(info->name) + " takes " +
                                std::to_string(info->params.size()) + " argument(s)");
  }
  std::vector<std::variant<int32_t, std::string>> values;
  for (qsizetype i = 0; i < jsonArgs.size(); ++i) {
    const std::string where = "event.args[" + std::to_string(i) + "]";
    const bool isLong =
        info ? info->params[static_cast<size_t>(i)] == kLong : jsonArgs[i].isDouble();
    if (isLong) {
      const double d = jsonArgs[i].toDouble();
      if (!jsonArgs[i].isDouble() || d < std::numeric_limits<int32_t>::min() ||
          d > std::numeric_limits<int32_t>::max() || std::floor(d) != d) {
        throw std::invalid_argument(where + ": must be a whole number that fits 32 bits");
      }
      values.emplace_back(static_cast<int32_t>(d));
    } else {
      values.emplace_back(ParseBytes(jsonArgs[i], where, budget));
    }
  }

  const bool reply = dispid == static_cast<int32_t>(EventDispid::kOnTrReply) && info;
  const bool real = dispid == static_cast<int32_t>(EventDispid::kOnRealData) && info;
  if (inlinePage && !reply && !real) {
    throw std::invalid_argument("only OnTrReply and OnRealData deliver data");
  }
  if (reply || real) {
    const std::string& code = std::get<std::string>(values[0]);
    const int32_t number = std::get<int32_t>(values[1]);
    Page page;
    if (inlinePage) {
      page = std::move(*inlinePage);
    } else if (reply) {
      auto it = fixture_.replies.find(code);
      page = NextPage(it == fixture_.replies.end() ? nullptr : &it->second, {code, -1});
    } else {
      auto it = fixture_.real.find({code, number});
      page = NextPage(it == fixture_.real.end() ? nullptr : &it->second, {code, number});
    }
    lastData_ = page.lastData.value_or(page.block);
    if (reply) {
      nextKeys_[number] = page.nextKey;
      current_[{code, -1}] = std::move(page);
    } else {
      lastKeyOfRealType_[number] = code;
      current_[{code, number}] = std::move(page);
    }
  }

  std::vector<kit::EventArg> eventArgs;
  for (const auto& v : values) {
    if (const int32_t* i = std::get_if<int32_t>(&v)) {
      eventArgs.emplace_back(*i);
    } else {
      eventArgs.emplace_back(std::string_view(std::get<std::string>(v)));
    }
  }
  return host_.Fire(dispid, eventArgs);
}

void FixtureAgent::LoadFile(const std::string& path) {
  Use(LoadFixtureFile(path));
}

void FixtureAgent::Use(Fixture fixture) {
  fixture_ = std::move(fixture);
  loadError_.reset();
  pagesTaken_.clear();
}

void FixtureAgent::Record(std::string line) {
  line += '\n';
  if (log_.is_open()) {
    log_ << line;
    log_.flush();
  }
  untakenCalls_ += line;
}

}  // namespace zqk::fixture
