#pragma once
// A fixture file in memory: canned results per operation and the data that
// replies and real-time records deliver. Parsed from JSON (docs/fixture.md);
// every text is CP949 by the time it is here.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "agent/abi/DispatchIds.h"

class QJsonValue;

namespace zqk::fixture {

// What one reply or real-time record holds.
struct Page {
  using Row = std::map<std::string, std::string>;   // field name -> value
  std::map<std::string, std::vector<Row>> records;  // "OutRec1" -> rows
  std::string block;
  std::optional<std::string> lastData;
  std::string nextKey;
};

// One result: the operation's value, or an error the call fails with.
struct CannedResult {
  ValueType type = ValueType::kEmpty;
  int32_t i4 = 0;
  std::string str;
  std::optional<std::string> error;
};

// A result, or a sequence of results (the last one repeats), for the calls
// whose leading arguments match.
struct ResultRule {
  using Arg = std::variant<int32_t, std::string>;
  std::vector<std::optional<Arg>> args;  // nullopt matches anything
  std::vector<CannedResult> results;
  size_t next = 0;  // calls answered so far

  bool Matches(std::span<const Arg> call) const;
  const CannedResult& Take();
};

struct Fixture {
  // By dispatch ID; the first matching rule answers.
  std::map<int32_t, std::vector<ResultRule>> results;
  // Pages by TR code; each reply takes the next, the last one repeats.
  std::map<std::string, std::vector<Page>> replies;
  // Pages by key and real type.
  std::map<std::pair<std::string, int32_t>, std::vector<Page>> real;
};

// Limits on what a fixture holds. A width pads a text with blanks, so without
// them a few bytes of JSON could ask for gigabytes.
inline constexpr size_t kMaxFixtureFileBytes = size_t{16} << 20;       // the file
inline constexpr size_t kMaxFixtureTextBytes = size_t{16} << 20;       // one text, one width
inline constexpr size_t kMaxFixtureTotalTextBytes = size_t{64} << 20;  // all texts of a fixture

// What the texts of one fixture (or of one fired event) may still take.
class TextBudget {
 public:
  // Takes `bytes` more for the text at `where`; throws like ParseFixture when
  // the texts would exceed kMaxFixtureTotalTextBytes.
  void Take(size_t bytes, const std::string& where);

 private:
  size_t left_ = kMaxFixtureTotalTextBytes;
};

// Parses fixture text (UTF-8 JSON). Throws std::invalid_argument with a UTF-8
// message naming the place of the fault.
Fixture ParseFixture(std::string_view json);

// Reads and parses a fixture file: a regular file of at most
// kMaxFixtureFileBytes. Throws std::invalid_argument "path: reason" (UTF-8).
Fixture LoadFixtureFile(const std::filesystem::path& path);

// A page as the fire operation may carry it. Throws like ParseFixture.
Page ParsePage(const QJsonValue& value, const std::string& where, TextBudget& budget);

// A "bytes value": a string (UTF-8, converted to CP949), {"hex": "..."},
// {"text": "...", "width": n} or {"concat": [...]}. Throws like ParseFixture.
std::string ParseBytes(const QJsonValue& value, const std::string& where, TextBudget& budget);

}  // namespace zqk::fixture
