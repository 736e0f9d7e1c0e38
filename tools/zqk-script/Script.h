#pragma once
// The headless driver's script: one step a line, parsed in full before
// anything runs, so that a bad line is reported with its number up front.
//
//   set <id> "<text>"        click <id>             select <id> <index>
//   answer ok|yes|no|cancel  fire <Event> <args>... wait <ms>
//   print [text|checked|enabled|visible|selected|items] <id>
//   print requests | print feeds
//   inspect on|off           print inspect <n>
//   enter | escape | close   about
//   expect text|checked|enabled|visible|selected|items|log <id|-> <value>...
//   catalogue "<filter>"     use "<code>" "<field>=<value>"...     print ruler <id>
//
// Strings are double-quoted UTF-8 with the escapes \" \\ \n \r \t and \xHH
// (one raw byte), converted to CP949; '#' starts a comment outside quotes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "dialog/ControlId.h"
#include "dialog/DialogHost.h"
#include "dialog/DialogTemplate.h"
#include "tools/zqk-script/CatalogueSteps.h"

namespace zqk::script {

struct SetText {
  ControlId id;
  std::string text;  // CP949
};
struct Click {
  ControlId id;
};
struct Select {
  ControlId id;
  ListIndex index;
};
struct Answer {
  std::vector<MessageBoxResult> answers;
};
struct FireEvent {
  int32_t dispid = 0;
  std::vector<std::variant<int32_t, std::string>> args;  // long or CP949 string
};
struct Wait {
  uint32_t ms = 0;
};
// A control state that print shows and expect checks (kLastLog: expect only).
enum class ExpectWhat { kText, kChecked, kEnabled, kVisible, kSelected, kItems, kLastLog };
struct Print {
  ExpectWhat what = ExpectWhat::kText;
  ControlId id;
};
// The activity of the session: requests, or feeds.
enum class ActivityWhat { kRequests, kFeeds };
struct PrintActivity {
  ActivityWhat what = ActivityWhat::kRequests;
};
// The reply inspector turned on or off, and one of its entries printed (0 the
// newest).
struct Inspect {
  bool on = false;
};
struct PrintInspect {
  int n = 0;
};
enum class Key { kEnter, kEscape, kClose };
struct PressKey {
  Key key;
};
struct About {};

struct Expect {
  ExpectWhat what;
  ControlId id;                    // unused for kLastLog
  std::vector<std::string> texts;  // kText (one), kItems (all), kLastLog (one)
  int number = 0;                  // kChecked/kEnabled/kVisible (0/1), kSelected (index)
};

using Action =
    std::variant<SetText, Click, Select, Answer, FireEvent, Wait, Print, PrintActivity, PressKey,
                 About, Expect, CatalogueStep, UseStep, PrintRuler, Inspect, PrintInspect>;

struct Step {
  int line = 0;  // 1-based line number in the script
  Action action;
};

struct ParseError {
  int line = 0;
  std::string message;  // UTF-8
};

struct ParseResult {
  std::vector<Step> steps;
  std::optional<ParseError> error;
};

// The kind of the control `id`; nullopt for an ID that the dialog lacks.
using ControlKindLookup = std::optional<ControlKind> (*)(ControlId id);

// Parses a whole script (UTF-8; a leading byte-order mark is skipped).
// `controlKind` tells which control IDs exist and what they are.
ParseResult ParseScript(std::string_view text, ControlKindLookup controlKind);

// Quotes CP949 bytes as a script string literal, in UTF-8.
std::string QuoteForOutput(std::string_view cp949);

// Appends `c`, or \xHH for a control byte, so that output stays one line.
void AppendEscapingControlBytes(std::string& out, char c);

}  // namespace zqk::script
