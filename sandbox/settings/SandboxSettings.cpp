#include "sandbox/settings/SandboxSettings.h"

#include "agent/abi/ComponentRegistry.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QString>
#include <QTime>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <stdexcept>

#include "files/RegularFile.h"
#include "protocol/FieldNames.h"
#include "protocol/OrderLayouts.h"
#include "protocol/QueryInputs.h"
#include "protocol/TrCodes.h"
#include "sandbox/kit/JsonText.h"
#include "text/Cp949.h"

namespace zqk::sandbox {
namespace {

Account MakeAccount(std::string number, std::string password, Market market, std::string name) {
  return Account{std::move(number), std::move(password), market, std::move(name)};
}

[[noreturn]] void Reject(const std::string& where, const std::string& why) {
  throw std::invalid_argument(where + ": " + why);
}

std::string Utf8(const QString& s) {
  return s.toUtf8().toStdString();
}

void CheckKeys(const QJsonObject& object, const std::string& where,
               std::initializer_list<const char16_t*> allowed) {
  for (auto it = object.begin(); it != object.end(); ++it) {
    bool known = false;
    for (const char16_t* key : allowed) known = known || it.key() == QStringView(key);
    if (!known) Reject(where, "unknown key \"" + Utf8(it.key()) + "\"");
  }
}

// A JSON string as CP949 text.
std::string Text(const QJsonValue& value, const std::string& where) {
  if (!value.isString()) Reject(where, "must be a string");
  return JsonStringToCp949(value.toString(), where);
}

uint64_t Unsigned(const QJsonValue& value, const std::string& where, double max) {
  const double d = value.toDouble(-1);
  if (!value.isDouble() || d < 0 || d > max || std::floor(d) != d) {
    Reject(where, "must be a whole number from 0 to " + std::to_string(static_cast<uint64_t>(max)));
  }
  return static_cast<uint64_t>(d);
}

Market ParseMarket(const QJsonValue& value, const std::string& where) {
  const QString s = value.toString();
  if (s == u"domestic") return Market::kDomestic;
  if (s == u"overseas") return Market::kOverseas;
  if (s == u"fx") return Market::kFxMargin;
  Reject(where, "must be \"domestic\", \"overseas\" or \"fx\"");
}

std::string DefaultAccountName(Market market) {
  switch (market) {
    case Market::kDomestic:
      return "모의 국내선물옵션";
    case Market::kOverseas:
      return "모의 해외선물";
    case Market::kFxMargin:
      return "모의 FX마진";
  }
  return {};
}

// How long the texts of users and accounts may be: as long as the fields
// of the inputs, orders and feed registrations that carry them.
size_t WidthOf(std::string_view code, std::string_view field) {
  return protocol::InputLayoutOf(code)->Find(field)->width;
}
const size_t kAccountWidth = protocol::kOrderFeedAccountWidth;
const size_t kPasswordWidth = protocol::AccountTextWidth();
const size_t kUserIdWidth = WidthOf(tr::kUserAccounts, field::kUserId);
const size_t kTokenWidth = WidthOf(tr::kFxAssets, field::kUserToken);

Account ParseAccount(const QJsonValue& value, const std::string& where) {
  if (!value.isObject()) Reject(where, "must be an object");
  const QJsonObject o = value.toObject();
  CheckKeys(o, where, {u"number", u"password", u"market", u"name"});
  Account a;
  a.number = Text(o[u"number"], where + ".number");
  if (a.number.empty() || a.number.size() > kAccountWidth ||
      a.number.find_first_not_of("0123456789") != std::string::npos) {
    Reject(where + ".number", "must be 1 to " + std::to_string(kAccountWidth) + " digits");
  }
  a.password = Text(o[u"password"], where + ".password");
  if (a.password.empty() || a.password.size() > kPasswordWidth ||
      a.password.find_first_of(" \t\r\n") != std::string::npos) {
    Reject(where + ".password",
           "must be 1 to " + std::to_string(kPasswordWidth) + " bytes without blanks");
  }
  a.market = ParseMarket(o[u"market"], where + ".market");
  a.name = o.contains(u"name") ? Text(o[u"name"], where + ".name") : DefaultAccountName(a.market);
  return a;
}

User ParseUser(const QJsonValue& value, const std::string& where) {
  if (!value.isObject()) Reject(where, "must be an object");
  const QJsonObject o = value.toObject();
  CheckKeys(o, where, {u"id", u"password", u"certPassword", u"token", u"name", u"accounts"});
  User u;
  u.id = Text(o[u"id"], where + ".id");
  if (u.id.empty() || u.id.size() > kUserIdWidth ||
      u.id.find_first_of(" \t\r\n") != std::string::npos) {
    Reject(where + ".id", "must be 1 to " + std::to_string(kUserIdWidth) + " bytes without blanks");
  }
  u.password = Text(o[u"password"], where + ".password");
  u.certPassword = Text(o[u"certPassword"], where + ".certPassword");
  if (u.password.empty() || u.certPassword.empty()) {
    Reject(where, "password and certPassword must not be empty");
  }
  if (o.contains(u"token")) {
    u.token = Text(o[u"token"], where + ".token");
    if (u.token.size() != kTokenWidth) {
      Reject(where + ".token", "must be " + std::to_string(kTokenWidth) + " bytes");
    }
  }
  u.name = o.contains(u"name") ? Text(o[u"name"], where + ".name") : u.id;
  const QJsonValue accounts = o[u"accounts"];
  if (!accounts.isUndefined()) {
    if (!accounts.isArray()) Reject(where + ".accounts", "must be an array");
    const QJsonArray list = accounts.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
      u.accounts.push_back(ParseAccount(list[i], where + ".accounts[" + std::to_string(i) + "]"));
    }
  }
  return u;
}

// An array of dates "YYYYMMDD".
std::set<std::string> ParseDates(const QJsonValue& value, const std::string& where) {
  if (!value.isArray()) Reject(where, "must be an array");
  const QJsonArray list = value.toArray();
  std::set<std::string> dates;
  for (qsizetype i = 0; i < list.size(); ++i) {
    const QString day = list[i].toString();
    if (!list[i].isString() || day.size() != 8 ||
        !QDate::fromString(day, QStringLiteral("yyyyMMdd")).isValid()) {
      Reject(where + "[" + std::to_string(i) + "]", "must be a date \"YYYYMMDD\"");
    }
    dates.insert(Utf8(day));
  }
  return dates;
}

// "now" (the wall clock) or a local date and time.
std::optional<int64_t> ClockStart(const QJsonValue& value) {
  if (value.isString() && value.toString() == u"now") return std::nullopt;
  const QDateTime start = QDateTime::fromString(value.toString(), Qt::ISODate);
  if (!value.isString() || !start.isValid()) {
    Reject("clockStart", "must be \"now\" or a date and time such as \"2016-09-01T09:00:00\"");
  }
  return start.toSecsSinceEpoch();
}

}  // namespace

int64_t SamplesEraStart() {
  return QDateTime(QDate(2016, 9, 1), QTime(9, 0)).toSecsSinceEpoch();
}

const User* Settings::FindUser(std::string_view id) const {
  for (const User& u : users) {
    if (u.id == id) return &u;
  }
  return nullptr;
}

std::vector<User> BuiltInUsers() {
  using enum Market;
  return {
      User{"demo",
           "demo1234",
           "cert1234",
           "1torem58",
           "모의투자",
           {
               MakeAccount("07215003", "6042", kDomestic, "모의 국내선물옵션"),
               MakeAccount("06801004", "6042", kDomestic, "모의 국내선물옵션2"),
               MakeAccount("016304", "3961", kOverseas, "모의 해외선물"),
               MakeAccount("015872", "6042", kOverseas, "모의 해외선물2"),
               MakeAccount("017539", "6042", kFxMargin, "모의 FX마진"),
           }},
      User{"guest",
           "guest1234",
           "cert5678",
           "",
           "손님",
           {
               MakeAccount("07300001", "1111", kDomestic, "손님 국내선물옵션"),
               MakeAccount("016400", "1111", kOverseas, "손님 해외선물"),
           }},
  };
}

Settings DefaultSettings() {
  Settings s;
  s.users = BuiltInUsers();
  return s;
}

std::filesystem::path DefaultSettingsPath() {
  if (const char* explicitPath = std::getenv("ZQK_SANDBOX_SETTINGS");
      explicitPath && *explicitPath) {
    return explicitPath;
  }
  const std::filesystem::path dir = UserConfigDirectory();
  return dir.empty() ? std::filesystem::path() : dir / "sandbox.json";
}

Settings ParseSettings(std::string_view json) {
  QJsonParseError parseError{};
  const QJsonDocument doc = QJsonDocument::fromJson(
      QByteArray(json.data(), static_cast<qsizetype>(json.size())), &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    Reject("offset " + std::to_string(parseError.offset), Utf8(parseError.errorString()));
  }
  if (!doc.isObject()) Reject("settings", "must be a JSON object");
  const QJsonObject o = doc.object();
  CheckKeys(o, "settings",
            {u"seed", u"replyLatencyMs", u"replyJitterMs", u"tickRate", u"clockStart", u"holidays",
             u"overseasHolidays", u"users"});

  Settings s = DefaultSettings();
  if (o.contains(u"seed")) s.seed = Unsigned(o[u"seed"], "seed", 9007199254740991.0);
  if (o.contains(u"replyLatencyMs")) {
    s.replyLatencyMs =
        static_cast<uint32_t>(Unsigned(o[u"replyLatencyMs"], "replyLatencyMs", 60000));
  }
  if (o.contains(u"replyJitterMs")) {
    s.replyJitterMs = static_cast<uint32_t>(Unsigned(o[u"replyJitterMs"], "replyJitterMs", 60000));
  }
  if (o.contains(u"tickRate")) {
    s.tickRate = static_cast<uint32_t>(Unsigned(o[u"tickRate"], "tickRate", 1000));
  }
  if (o.contains(u"clockStart")) s.clockStart = ClockStart(o[u"clockStart"]);
  if (o.contains(u"holidays")) s.holidays = ParseDates(o[u"holidays"], "holidays");
  if (o.contains(u"overseasHolidays")) {
    s.overseasHolidays = ParseDates(o[u"overseasHolidays"], "overseasHolidays");
  }
  if (o.contains(u"users")) {
    if (!o[u"users"].isArray()) Reject("users", "must be an array");
    const QJsonArray list = o[u"users"].toArray();
    std::set<std::string> seen;
    std::vector<User> fromFile;
    fromFile.reserve(static_cast<size_t>(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i) {
      const std::string where = "users[" + std::to_string(i) + "]";
      User u = ParseUser(list[i], where);
      if (!seen.insert(u.id).second) Reject(where + ".id", "appears twice");
      fromFile.push_back(std::move(u));
    }
    // A user of the file replaces the built-in user of the same ID; one pass,
    // so that a file of many users loads in time proportional to its size.
    std::erase_if(s.users, [&](const User& builtIn) { return seen.contains(builtIn.id); });
    s.users.insert(s.users.end(), std::make_move_iterator(fromFile.begin()),
                   std::make_move_iterator(fromFile.end()));
  }
  std::set<std::string> numbers;
  for (const User& u : s.users) {
    for (const Account& a : u.accounts) {
      if (!numbers.insert(a.number).second) {
        Reject("users", "account " + Cp949ToUtf8(a.number) + " belongs to two users");
      }
    }
  }
  return s;
}

LoadedSettings LoadSettings(const std::filesystem::path& file) {
  LoadedSettings loaded;
  loaded.settings = DefaultSettings();
  if (file.empty()) return loaded;
  const FileRead read = ReadWholeFile(file, kMaxSettingsBytes);
  switch (read.status) {
    case FileRead::Status::kAbsent:
      return loaded;
    case FileRead::Status::kRefused:
      loaded.error = file.string() + ": " + read.reason;
      return loaded;
    case FileRead::Status::kRead:
      break;
  }
  try {
    loaded.settings = ParseSettings(read.bytes);
    loaded.fromFile = true;
  } catch (const std::invalid_argument& e) {
    loaded.error = file.string() + ": " + e.what();
  }
  return loaded;
}

}  // namespace zqk::sandbox
