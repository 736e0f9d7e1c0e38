#include "sandbox/FixtureData.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QString>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "files/RegularFile.h"
#include "sandbox/JsonText.h"
#include "text/Cp949.h"

namespace zqk::fixture {
namespace {

[[noreturn]] void Reject(const std::string& where, const std::string& why) {
  throw std::invalid_argument(where + ": " + why);
}

std::string Utf8(const QString& s) {
  return s.toUtf8().toStdString();
}

std::string Cp949(const QString& s, const std::string& where) {
  return JsonStringToCp949(s, where);
}

int32_t ParseLong(const QJsonValue& value, const std::string& where) {
  const double d = value.toDouble();
  if (!value.isDouble() || std::floor(d) != d || d < std::numeric_limits<int32_t>::min() ||
      d > std::numeric_limits<int32_t>::max()) {
    Reject(where, "must be a whole number that fits 32 bits");
  }
  return static_cast<int32_t>(d);
}

std::string ParseHex(const QString& hex, const std::string& where) {
  QByteArray digits = hex.toLatin1();
  digits.replace(' ', QByteArray());
  if (digits.size() % 2 != 0) Reject(where, "needs an even number of hex digits");
  for (char c : digits) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) Reject(where, "is not hexadecimal");
  }
  const QByteArray bytes = QByteArray::fromHex(digits);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool IsBytesObject(const QJsonObject& o) {
  return (o.size() == 1 && (o.contains(u"hex") || o.contains(u"concat"))) ||
         (o.size() == 2 && o.contains(u"text") && o.contains(u"width"));
}

CannedResult ParseResult(const QJsonValue& value, const OperationInfo& op, const std::string& where,
                         TextBudget& budget) {
  CannedResult r;
  r.type = op.result;
  if (value.isObject() && value.toObject().contains(u"error")) {
    const QJsonObject o = value.toObject();
    if (o.size() != 1) Reject(where, "an error result holds only \"error\"");
    r.error = ParseBytes(o[u"error"], where + ".error", budget);
    return r;
  }
  switch (op.result) {
    case ValueType::kLong:
      r.i4 = ParseLong(value, where);
      break;
    case ValueType::kString:
      r.str = ParseBytes(value, where, budget);
      break;
    case ValueType::kEmpty:
      Reject(where, std::string(op.name) + " has no result; only {\"error\": ...} fits");
  }
  return r;
}

std::vector<CannedResult> ParseResults(const QJsonValue& value, const OperationInfo& op,
                                       const std::string& where, TextBudget& budget) {
  std::vector<CannedResult> results;
  if (value.isArray()) {
    const QJsonArray list = value.toArray();
    if (list.isEmpty()) Reject(where, "a sequence needs at least one result");
    for (qsizetype i = 0; i < list.size(); ++i) {
      results.push_back(ParseResult(list[i], op, where + "[" + std::to_string(i) + "]", budget));
    }
  } else {
    results.push_back(ParseResult(value, op, where, budget));
  }
  return results;
}

ResultRule ParseCase(const QJsonValue& value, const OperationInfo& op, const std::string& where,
                     TextBudget& budget) {
  if (!value.isObject()) Reject(where, "must be an object");
  const QJsonObject o = value.toObject();
  ResultRule rule;
  for (auto it = o.begin(); it != o.end(); ++it) {
    if (it.key() != u"args" && it.key() != u"result" && it.key() != u"results") {
      Reject(where, "unknown key \"" + Utf8(it.key()) + "\"");
    }
  }
  if (o.contains(u"result") == o.contains(u"results")) {
    Reject(where, "needs either \"result\" or \"results\"");
  }
  rule.results = o.contains(u"result")
                     ? std::vector{ParseResult(o[u"result"], op, where + ".result", budget)}
                     : ParseResults(o[u"results"], op, where + ".results", budget);
  if (o.contains(u"args")) {
    if (!o[u"args"].isArray()) Reject(where + ".args", "must be an array");
    const QJsonArray args = o[u"args"].toArray();
    if (static_cast<size_t>(args.size()) > op.params.size()) {
      Reject(where + ".args",
             std::string(op.name) + " takes " + std::to_string(op.params.size()) + " argument(s)");
    }
    for (qsizetype i = 0; i < args.size(); ++i) {
      const std::string at = where + ".args[" + std::to_string(i) + "]";
      if (args[i].isNull()) {
        rule.args.emplace_back(std::nullopt);
      } else if (op.params[i] == ValueType::kLong) {
        rule.args.emplace_back(ParseLong(args[i], at));
      } else {
        rule.args.emplace_back(ParseBytes(args[i], at, budget));
      }
    }
  }
  return rule;
}

std::vector<ResultRule> ParseOperationResults(const QJsonValue& value, const OperationInfo& op,
                                              const std::string& where, TextBudget& budget) {
  std::vector<ResultRule> rules;
  const QJsonObject o = value.toObject();
  if (value.isObject() && (o.contains(u"cases") || o.contains(u"default"))) {
    for (auto it = o.begin(); it != o.end(); ++it) {
      if (it.key() != u"cases" && it.key() != u"default") {
        Reject(where, "unknown key \"" + Utf8(it.key()) + "\"");
      }
    }
    if (o.contains(u"cases")) {
      if (!o[u"cases"].isArray()) Reject(where + ".cases", "must be an array");
      const QJsonArray cases = o[u"cases"].toArray();
      for (qsizetype i = 0; i < cases.size(); ++i) {
        rules.push_back(
            ParseCase(cases[i], op, where + ".cases[" + std::to_string(i) + "]", budget));
      }
    }
    if (o.contains(u"default")) {
      rules.push_back(
          ResultRule{{}, ParseResults(o[u"default"], op, where + ".default", budget), 0});
    }
    return rules;
  }
  rules.push_back(ResultRule{{}, ParseResults(value, op, where, budget), 0});
  return rules;
}

std::vector<Page> ParsePages(const QJsonValue& value, const std::string& where,
                             TextBudget& budget) {
  std::vector<Page> pages;
  if (value.isArray()) {
    const QJsonArray list = value.toArray();
    if (list.isEmpty()) Reject(where, "needs at least one page");
    for (qsizetype i = 0; i < list.size(); ++i) {
      pages.push_back(ParsePage(list[i], where + "[" + std::to_string(i) + "]", budget));
    }
  } else {
    pages.push_back(ParsePage(value, where, budget));
  }
  return pages;
}

Page::Row ParseRow(const QJsonValue& value, const std::string& where, TextBudget& budget) {
  if (!value.isObject()) Reject(where, "a row must be an object of field names and values");
  const QJsonObject o = value.toObject();
  Page::Row row;
  for (auto it = o.begin(); it != o.end(); ++it) {
    const std::string field = Cp949(it.key(), where);
    row[field] = ParseBytes(it.value(), where + "." + Utf8(it.key()), budget);
  }
  return row;
}

// Appends the bytes of `value` to `out`, the text being built; every byte is
// taken from `budget`, and no text grows beyond kMaxFixtureTextBytes.
void AppendBytes(const QJsonValue& value, const std::string& where, std::string& out,
                 TextBudget& budget) {
  auto append = [&](std::string_view bytes) {
    if (bytes.size() > kMaxFixtureTextBytes - out.size()) {
      Reject(where,
             "makes the text longer than the limit of " + DescribeSize(kMaxFixtureTextBytes));
    }
    out += bytes;
  };
  if (value.isString()) {
    const std::string text = Cp949(value.toString(), where);
    budget.Take(text.size(), where);
    append(text);
    return;
  }
  if (!value.isObject() || !IsBytesObject(value.toObject())) {
    Reject(where,
           "must be a string, {\"hex\": ...}, {\"text\": ..., \"width\": n} or "
           "{\"concat\": [...]}");
  }
  const QJsonObject o = value.toObject();
  if (o.contains(u"hex")) {
    if (!o[u"hex"].isString()) Reject(where + ".hex", "must be a string of hex digits");
    const std::string bytes = ParseHex(o[u"hex"].toString(), where + ".hex");
    budget.Take(bytes.size(), where + ".hex");
    append(bytes);
    return;
  }
  if (o.contains(u"concat")) {
    if (!o[u"concat"].isArray()) Reject(where + ".concat", "must be an array");
    const QJsonArray parts = o[u"concat"].toArray();
    for (qsizetype i = 0; i < parts.size(); ++i) {
      AppendBytes(parts[i], where + ".concat[" + std::to_string(i) + "]", out, budget);
    }
    return;
  }
  std::string text;
  AppendBytes(o[u"text"], where + ".text", text, budget);
  const int32_t width = ParseLong(o[u"width"], where + ".width");
  if (width < 0 || static_cast<size_t>(width) > kMaxFixtureTextBytes) {
    Reject(where + ".width", "must be from 0 to " + std::to_string(kMaxFixtureTextBytes) + " (" +
                                 DescribeSize(kMaxFixtureTextBytes) + ")");
  }
  if (text.size() > static_cast<size_t>(width)) {
    Reject(where, "text of " + std::to_string(text.size()) + " bytes does not fit width " +
                      std::to_string(width));
  }
  budget.Take(static_cast<size_t>(width) - text.size(), where);
  text.resize(static_cast<size_t>(width), ' ');
  append(text);
}

}  // namespace

bool ResultRule::Matches(std::span<const Arg> call) const {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] && (i >= call.size() || *args[i] != call[i])) return false;
  }
  return true;
}

const CannedResult& ResultRule::Take() {
  const CannedResult& r = results[std::min(next, results.size() - 1)];
  if (next < results.size()) ++next;
  return r;
}

void TextBudget::Take(size_t bytes, const std::string& where) {
  if (bytes > left_) {
    Reject(where, "the texts of the fixture exceed the limit of " +
                      DescribeSize(kMaxFixtureTotalTextBytes) + " in all");
  }
  left_ -= bytes;
}

std::string ParseBytes(const QJsonValue& value, const std::string& where, TextBudget& budget) {
  std::string bytes;
  AppendBytes(value, where, bytes, budget);
  return bytes;
}

Page ParsePage(const QJsonValue& value, const std::string& where, TextBudget& budget) {
  if (!value.isObject()) Reject(where, "a page must be an object");
  const QJsonObject o = value.toObject();
  Page page;
  for (auto it = o.begin(); it != o.end(); ++it) {
    const std::string at = where + "." + Utf8(it.key());
    if (it.key() == u"block") {
      page.block = ParseBytes(it.value(), at, budget);
    } else if (it.key() == u"lastData") {
      page.lastData = ParseBytes(it.value(), at, budget);
    } else if (it.key() == u"nextKey") {
      page.nextKey = ParseBytes(it.value(), at, budget);
    } else {
      // Any other key names a record: a list of rows, or one row.
      std::vector<Page::Row>& rows = page.records[Cp949(it.key(), at)];
      if (it.value().isArray()) {
        const QJsonArray list = it.value().toArray();
        for (qsizetype i = 0; i < list.size(); ++i) {
          rows.push_back(ParseRow(list[i], at + "[" + std::to_string(i) + "]", budget));
        }
      } else {
        rows.push_back(ParseRow(it.value(), at, budget));
      }
    }
  }
  return page;
}

Fixture ParseFixture(std::string_view json) {
  QJsonParseError parseError{};
  const QJsonDocument doc = QJsonDocument::fromJson(
      QByteArray(json.data(), static_cast<qsizetype>(json.size())), &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    Reject("offset " + std::to_string(parseError.offset), Utf8(parseError.errorString()));
  }
  if (!doc.isObject()) Reject("fixture", "must be a JSON object");
  const QJsonObject root = doc.object();
  Fixture f;
  TextBudget budget;
  for (auto it = root.begin(); it != root.end(); ++it) {
    if (it.key() != u"results" && it.key() != u"replies" && it.key() != u"real") {
      Reject("fixture", "unknown key \"" + Utf8(it.key()) + "\"");
    }
  }

  if (root.contains(u"results")) {
    if (!root[u"results"].isObject()) Reject("results", "must be an object");
    const QJsonObject results = root[u"results"].toObject();
    for (auto it = results.begin(); it != results.end(); ++it) {
      const std::string name = Utf8(it.key());
      const OperationInfo* op = nullptr;
      for (const OperationInfo& candidate : Operations()) {
        if (candidate.name == name) op = &candidate;
      }
      if (!op) Reject("results", "no operation is called \"" + name + "\"");
      f.results[static_cast<int32_t>(op->dispid)] =
          ParseOperationResults(it.value(), *op, "results." + name, budget);
    }
  }

  if (root.contains(u"replies")) {
    if (!root[u"replies"].isObject()) Reject("replies", "must be an object");
    const QJsonObject replies = root[u"replies"].toObject();
    for (auto it = replies.begin(); it != replies.end(); ++it) {
      const std::string where = "replies." + Utf8(it.key());
      f.replies[Cp949(it.key(), where)] = ParsePages(it.value(), where, budget);
    }
  }

  if (root.contains(u"real")) {
    if (!root[u"real"].isArray()) Reject("real", "must be an array");
    const QJsonArray real = root[u"real"].toArray();
    for (qsizetype i = 0; i < real.size(); ++i) {
      const std::string where = "real[" + std::to_string(i) + "]";
      if (!real[i].isObject()) Reject(where, "must be an object");
      const QJsonObject o = real[i].toObject();
      for (auto it = o.begin(); it != o.end(); ++it) {
        if (it.key() != u"key" && it.key() != u"realType" && it.key() != u"data") {
          Reject(where, "unknown key \"" + Utf8(it.key()) + "\"");
        }
      }
      if (!o.contains(u"key") || !o.contains(u"realType") || !o.contains(u"data")) {
        Reject(where, "needs \"key\", \"realType\" and \"data\"");
      }
      std::pair<std::string, int32_t> id{ParseBytes(o[u"key"], where + ".key", budget),
                                         ParseLong(o[u"realType"], where + ".realType")};
      if (f.real.contains(id)) Reject(where, "the same key and real type appear twice");
      f.real[id] = ParsePages(o[u"data"], where + ".data", budget);
    }
  }
  return f;
}

Fixture LoadFixtureFile(const std::filesystem::path& path) {
  const FileRead read = ReadWholeFile(path, kMaxFixtureFileBytes);
  switch (read.status) {
    case FileRead::Status::kAbsent:
      Reject(path.string(), "no such file");
    case FileRead::Status::kRefused:
      Reject(path.string(), read.reason);
    case FileRead::Status::kRead:
      break;
  }
  try {
    return ParseFixture(read.bytes);
  } catch (const std::invalid_argument& e) {
    Reject(path.string(), e.what());
  }
}

}  // namespace zqk::fixture
