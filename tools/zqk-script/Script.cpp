#include "tools/zqk-script/Script.h"

#include <charconv>
#include <limits>

#include "agent/abi/DispatchIds.h"
#include "text/Cp949.h"

namespace zqk::script {
namespace {

struct Token {
  std::string text;  // bare word (UTF-8) or string contents (CP949)
  bool quoted = false;
};

// How much of a piece of the script an error message repeats.
constexpr size_t kEchoBytes = 80;

void AppendHexEscape(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 15];
}

// A piece of the script (UTF-8) as an error message repeats it, in double
// quotes: at most kEchoBytes of it, then "...", with quotes, backslashes and
// control bytes escaped, and every byte beyond ASCII escaped when the piece is
// not valid UTF-8, so that the message stays one line of text.
std::string Echo(std::string_view utf8) {
  std::string_view shown = utf8.substr(0, kEchoBytes);
  // Not in the middle of a character.
  for (int i = 0; i < 3 && !shown.empty() && shown.size() < utf8.size() &&
                  (static_cast<unsigned char>(utf8[shown.size()]) & 0xC0) == 0x80;
       ++i) {
    shown.remove_suffix(1);
  }
  const bool valid = IsValidUtf8(shown);
  std::string out = "\"";
  for (const char c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (!valid && byte >= 0x80) {
      AppendHexEscape(out, byte);
    } else {
      AppendEscapingControlBytes(out, c);
    }
  }
  if (shown.size() < utf8.size()) out += "...";
  return out + "\"";
}

// A token as an error message repeats it: a string's contents are CP949.
std::string Echo(const Token& t) {
  return Echo(t.quoted ? Cp949ToUtf8(t.text) : t.text);
}

// Splits a line into tokens; nullopt with `error` set on a malformed string.
std::optional<std::vector<Token>> Tokenize(std::string_view line, std::string& error) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#') break;
    if (c != '"') {
      const size_t end = line.find_first_of(" \t\r#\"", i);
      tokens.push_back({std::string(line.substr(i, end - i)), false});
      i = end == std::string_view::npos ? line.size() : end;
      continue;
    }
    // A quoted string: UTF-8 runs are converted to CP949, \xHH adds a raw byte.
    std::string out, run;
    auto flush = [&]() -> bool {
      if (run.empty()) return true;
      std::optional<std::string> converted = Utf8ToCp949Strict(run);
      if (!converted) {
        error =
            (IsValidUtf8(run) ? "text that CP949 cannot represent: " : "text that is not UTF-8: ") +
            Echo(run);
        return false;
      }
      out += *converted;
      run.clear();
      return true;
    };
    ++i;
    bool closed = false;
    while (i < line.size()) {
      const char d = line[i++];
      if (d == '"') {
        closed = true;
        break;
      }
      if (d != '\\') {
        run += d;
        continue;
      }
      if (i >= line.size()) break;
      const char e = line[i++];
      switch (e) {
        case '"':
          run += '"';
          break;
        case '\\':
          run += '\\';
          break;
        case 'n':
          run += '\n';
          break;
        case 'r':
          run += '\r';
          break;
        case 't':
          run += '\t';
          break;
        case 'x': {
          unsigned value = 0;
          if (i + 2 > line.size() ||
              std::from_chars(line.data() + i, line.data() + i + 2, value, 16).ptr !=
                  line.data() + i + 2) {
            error = "\\x needs two hex digits";
            return std::nullopt;
          }
          i += 2;
          if (!flush()) return std::nullopt;
          out += static_cast<char>(value);
          break;
        }
        default:
          if (e > ' ' && e < 0x7F) {
            error = std::string("unknown escape \\") + e;
          } else {
            error = "unknown escape: a backslash before the byte ";
            AppendHexEscape(error, static_cast<unsigned char>(e));
          }
          return std::nullopt;
      }
    }
    if (!closed) {
      error = "unterminated string";
      return std::nullopt;
    }
    if (!flush()) return std::nullopt;
    tokens.push_back({std::move(out), true});
  }
  return tokens;
}

template <typename T>
std::optional<T> ParseNumber(const Token& t) {
  if (t.quoted) return std::nullopt;
  T value{};
  const char* end = t.text.data() + t.text.size();
  auto [ptr, ec] = std::from_chars(t.text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

class LineParser {
 public:
  LineParser(std::vector<Token> tokens, ControlKindLookup controlKind)
      : tokens_(std::move(tokens)), controlKind_(controlKind) {}

  std::optional<Action> Parse(std::string& error) {
    error_ = &error;
    const std::string verb = Word(0);
    if (verb == "set") return Done(2, SetText{Control(1), String(2)});
    if (verb == "click") return Done(1, Click{Control(1)});
    if (verb == "select") return ParseSelect();
    if (verb == "answer") return ParseAnswer();
    if (verb == "fire") return ParseFire();
    if (verb == "wait") return Done(1, Wait{static_cast<uint32_t>(NonNegative(1))});
    if (verb == "print") return ParsePrint();
    if (verb == "enter") return Done(0, PressKey{Key::kEnter});
    if (verb == "escape") return Done(0, PressKey{Key::kEscape});
    if (verb == "close") return Done(0, PressKey{Key::kClose});
    if (verb == "about") return Done(0, About{});
    if (verb == "expect") return ParseExpect();
    if (verb == "catalogue") return Done(1, CatalogueStep{String(1)});
    if (verb == "use") return ParseUse();
    if (verb == "inspect") return ParseInspect();
    return Fail("unknown step " + Echo(verb));
  }

 private:
  std::optional<Action> Fail(const std::string& message) {
    if (error_->empty()) *error_ = message;
    return std::nullopt;
  }

  template <typename A>
  std::optional<Action> Done(size_t argCount, A action) {
    if (!error_->empty()) return std::nullopt;
    if (tokens_.size() != argCount + 1) {
      return Fail(tokens_[0].text + " takes " + std::to_string(argCount) + " argument(s)");
    }
    return Action(std::move(action));
  }

  const Token* At(size_t i) {
    if (i < tokens_.size()) return &tokens_[i];
    Fail("missing argument " + std::to_string(i));
    return nullptr;
  }
  std::string Word(size_t i) {
    const Token* t = At(i);
    return t && !t->quoted ? t->text : std::string();
  }
  std::string String(size_t i) {
    const Token* t = At(i);
    if (t && !t->quoted) Fail("argument " + std::to_string(i) + " must be a quoted string");
    return t ? t->text : std::string();
  }
  int Int(size_t i) {
    const Token* t = At(i);
    if (!t) return 0;
    std::optional<int> v = ParseNumber<int>(*t);
    if (!v) Fail("argument " + std::to_string(i) + " must be an integer");
    return v.value_or(0);
  }
  int NonNegative(size_t i) {
    const int v = Int(i);
    if (v < 0) Fail("argument " + std::to_string(i) + " must not be negative");
    return v;
  }
  ControlId Control(size_t i) {
    const Token* t = At(i);
    if (!t) return {};
    std::optional<int> v = ParseNumber<int>(*t);
    if (!v || !controlKind_(ControlId{*v})) Fail("unknown control ID " + Echo(*t));
    return ControlId{v.value_or(0)};
  }

  // Only a drop-down list has items to pick, and only from index 0 on.
  std::optional<Action> ParseSelect() {
    const ControlId id = Control(1);
    if (error_->empty() && controlKind_(id) != ControlKind::kDropDownList) {
      return Fail("control " + std::to_string(id.value) + " is not a drop-down list");
    }
    const int index = NonNegative(2);
    return Done(2, Select{id, ListIndex{index}});
  }

  std::optional<Action> ParseAnswer() {
    Answer a;
    if (tokens_.size() < 2) return Fail("answer takes one or more of ok, yes, no, cancel");
    for (size_t i = 1; i < tokens_.size(); ++i) {
      const std::string w = Word(i);
      if (w == "ok")
        a.answers.push_back(MessageBoxResult::kOk);
      else if (w == "yes")
        a.answers.push_back(MessageBoxResult::kYes);
      else if (w == "no")
        a.answers.push_back(MessageBoxResult::kNo);
      else if (w == "cancel")
        a.answers.push_back(MessageBoxResult::kCancel);
      else
        return Fail("unknown answer " + Echo(tokens_[i]));
    }
    return Action(std::move(a));
  }

  std::optional<Action> ParseFire() {
    const std::string name = Word(1);
    const EventInfo* info = nullptr;
    for (const EventInfo& e : Events()) {
      if (e.name == name) info = &e;
    }
    if (!info) return Fail("unknown event " + Echo(name));
    if (tokens_.size() != info->params.size() + 2) {
      return Fail(name + " takes " + std::to_string(info->params.size()) + " argument(s)");
    }
    FireEvent f{static_cast<int32_t>(info->dispid), {}};
    for (size_t i = 0; i < info->params.size(); ++i) {
      if (info->params[i] == ValueType::kLong) {
        std::optional<int32_t> v = ParseNumber<int32_t>(tokens_[i + 2]);
        if (!v) return Fail("argument " + std::to_string(i + 2) + " must be an integer");
        f.args.emplace_back(*v);
      } else {
        f.args.emplace_back(String(i + 2));
      }
    }
    if (!error_->empty()) return std::nullopt;
    return Action(std::move(f));
  }

  // The control state a word names, for print and expect.
  static std::optional<ExpectWhat> StateKind(std::string_view word) {
    static constexpr std::pair<std::string_view, ExpectWhat> kKinds[] = {
        {"text", ExpectWhat::kText},         {"checked", ExpectWhat::kChecked},
        {"enabled", ExpectWhat::kEnabled},   {"visible", ExpectWhat::kVisible},
        {"selected", ExpectWhat::kSelected}, {"items", ExpectWhat::kItems}};
    for (auto [name, kind] : kKinds) {
      if (name == word) return kind;
    }
    return std::nullopt;
  }

  std::optional<Action> ParseInspect() {
    const std::string w = Word(1);
    if (w != "on" && w != "off") return Fail("inspect takes on or off");
    return Done(1, Inspect{w == "on"});
  }

  // print <id> shows the text; print <state> <id> any state expect checks.
  std::optional<Action> ParsePrint() {
    if (tokens_.size() == 3 && !tokens_[1].quoted && tokens_[1].text == "inspect") {
      return Done(2, PrintInspect{NonNegative(2)});
    }
    if (tokens_.size() == 2 && !tokens_[1].quoted) {
      if (tokens_[1].text == "requests") return Done(1, PrintActivity{ActivityWhat::kRequests});
      if (tokens_[1].text == "feeds") return Done(1, PrintActivity{ActivityWhat::kFeeds});
    }
    if (tokens_.size() == 2) return Done(1, Print{ExpectWhat::kText, Control(1)});
    if (!tokens_[1].quoted && tokens_[1].text == "ruler") return ParsePrintRuler();
    const std::optional<ExpectWhat> kind = StateKind(Word(1));
    if (!kind) return Fail("unknown state " + Echo(Word(1)) + " to print");
    return Done(2, Print{*kind, Control(2)});
  }

  std::optional<Action> ParsePrintRuler() {
    const ControlId id = Control(2);
    if (!error_->empty()) return std::nullopt;
    if (const std::string why = CheckRulerControl(id); !why.empty()) return Fail(why);
    return Done(2, PrintRuler{id});
  }

  // use "<code>" "<field>=<value>"...: the code and the fields must exist.
  std::optional<Action> ParseUse() {
    UseStep use{String(1), {}};
    for (size_t i = 2; i < tokens_.size(); ++i) {
      const std::string pair = String(i);
      const size_t equals = pair.find('=');
      if (equals == std::string::npos) {
        return Fail("argument " + std::to_string(i) + " must be \"field=value\"");
      }
      use.values.emplace_back(pair.substr(0, equals), pair.substr(equals + 1));
    }
    if (!error_->empty()) return std::nullopt;
    if (const std::string why = CheckUseStep(use); !why.empty()) return Fail(why);
    return Action(std::move(use));
  }

  std::optional<Action> ParseExpect() {
    const std::string what = Word(1);
    Expect e{};
    if (what == "log") {
      e.what = ExpectWhat::kLastLog;
      return Done(2, Expect{ExpectWhat::kLastLog, {}, {String(2)}, 0});
    }
    const std::optional<ExpectWhat> kind = StateKind(what);
    if (!kind) return Fail("unknown expectation " + Echo(what));
    e.what = *kind;
    e.id = Control(2);
    switch (e.what) {
      case ExpectWhat::kText:
        e.texts.push_back(String(3));
        return Done(3, std::move(e));
      case ExpectWhat::kItems:
        for (size_t i = 3; i < tokens_.size(); ++i) e.texts.push_back(String(i));
        return Done(tokens_.size() - 1, std::move(e));
      case ExpectWhat::kSelected:
        e.number = Int(3);
        return Done(3, std::move(e));
      default:
        e.number = Int(3);
        if (e.number != 0 && e.number != 1) return Fail("expected state must be 0 or 1");
        return Done(3, std::move(e));
    }
  }

  std::vector<Token> tokens_;
  ControlKindLookup controlKind_;
  std::string* error_ = nullptr;
};

}  // namespace

ParseResult ParseScript(std::string_view text, ControlKindLookup controlKind) {
  ParseResult result;
  // Editors on some systems start UTF-8 files with a byte-order mark.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    std::string error;
    std::optional<std::vector<Token>> tokens = Tokenize(line, error);
    if (tokens && tokens->empty()) continue;
    std::optional<Action> action;
    if (tokens) action = LineParser(std::move(*tokens), controlKind).Parse(error);
    if (!action) {
      result.error = ParseError{lineNumber, error};
      result.steps.clear();
      return result;
    }
    result.steps.push_back({lineNumber, std::move(*action)});
  }
  return result;
}

std::string QuoteForOutput(std::string_view cp949) {
  const std::string utf8 = Cp949ToUtf8(cp949);
  std::string out = "\"";
  for (const char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else {
      AppendEscapingControlBytes(out, c);
    }
  }
  return out + "\"";
}

void AppendEscapingControlBytes(std::string& out, char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x20 && u != 0x7F) {
    out += c;
    return;
  }
  AppendHexEscape(out, u);
}

}  // namespace zqk::script
