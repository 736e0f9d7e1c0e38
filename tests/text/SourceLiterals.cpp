#include "tests/text/SourceLiterals.h"

#include <algorithm>
#include <array>

namespace zqk::test {
namespace {

bool IsIdentStart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || u >= 0x80;
}

bool IsIdentChar(char c) {
  return IsIdentStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

class Lexer {
 public:
  explicit Lexer(std::string_view s) : s_(s) {
    for (size_t i = 0; i < s.size(); ++i) {
      if (s[i] == '\n') newlines_.push_back(i);
    }
  }

  std::vector<SourceLiteral> Run() {
    while (i_ < s_.size()) Step();
    return std::move(found_);
  }

 private:
  char At(size_t k) const { return k < s_.size() ? s_[k] : '\0'; }

  int LineAt(size_t pos) const {
    return static_cast<int>(std::lower_bound(newlines_.begin(), newlines_.end(), pos) -
                            newlines_.begin()) +
           1;
  }

  void Step() {
    const char c = s_[i_];
    if (c == '/' && At(i_ + 1) == '/') return SkipLineComment();
    if (c == '/' && At(i_ + 1) == '*') return SkipBlockComment();
    if (c == '"') return QuotedString(true);
    if (c == '\'') return SkipCharLiteral();
    if (IsDigit(c) || (c == '.' && IsDigit(At(i_ + 1)))) return SkipNumber();
    if (IsIdentStart(c)) return Identifier();
    ++i_;
  }

  void SkipLineComment() {
    // A backslash at the end of the line carries the comment over.
    while (i_ < s_.size() && s_[i_] != '\n') {
      if (s_[i_] == '\\' && At(i_ + 1) == '\n')
        ++i_;
      else if (s_[i_] == '\\' && At(i_ + 1) == '\r' && At(i_ + 2) == '\n')
        i_ += 2;
      ++i_;
    }
  }

  void SkipBlockComment() {
    const size_t end = s_.find("*/", i_ + 2);
    i_ = end == std::string_view::npos ? s_.size() : end + 2;
  }

  // A pp-number, so that digit separators (1'000) are not taken for quotes.
  void SkipNumber() {
    ++i_;
    while (i_ < s_.size()) {
      const char c = s_[i_];
      if ((c == '+' || c == '-') &&
          std::string_view("eEpP").find(s_[i_ - 1]) != std::string_view::npos) {
        ++i_;
      } else if (c == '\'' && (IsIdentChar(At(i_ + 1)))) {
        i_ += 2;
      } else if (IsIdentChar(c) || c == '.') {
        ++i_;
      } else {
        break;
      }
    }
  }

  void SkipCharLiteral() {
    ++i_;
    while (i_ < s_.size() && s_[i_] != '\'' && s_[i_] != '\n') {
      i_ += s_[i_] == '\\' ? 2 : 1;
    }
    if (i_ < s_.size() && s_[i_] == '\'') ++i_;
  }

  // At the opening quote. An unterminated literal ends at the end of its line.
  void QuotedString(bool record) {
    const size_t start = i_;
    ++i_;
    while (i_ < s_.size() && s_[i_] != '"' && s_[i_] != '\n') {
      i_ += s_[i_] == '\\' ? 2 : 1;
    }
    const size_t end = std::min(i_, s_.size());
    if (record)
      found_.push_back({LineAt(start), std::string(s_.substr(start + 1, end - start - 1))});
    if (i_ < s_.size() && s_[i_] == '"') ++i_;
  }

  // At the opening quote of R"delim( ... )delim".
  void RawString(bool record) {
    const size_t start = i_;
    size_t open = i_ + 1;
    constexpr std::string_view kNotInDelimiter = " ()\\\t\v\f\r\n\"";
    while (open < s_.size() && open - i_ - 1 <= 16 &&
           kNotInDelimiter.find(s_[open]) == std::string_view::npos) {
      ++open;
    }
    if (At(open) != '(' || open - i_ - 1 > 16) {
      // Not a raw string after all; read it as an ordinary one.
      return QuotedString(record);
    }
    // Built piece by piece: g++ 12 at -O2/-O3 misreads `")" + string` as an
    // overlapping copy (-Wrestrict).
    std::string closing = ")";
    closing.append(s_.substr(i_ + 1, open - i_ - 1)).append("\"");
    const size_t close = s_.find(closing, open + 1);
    const size_t end = close == std::string_view::npos ? s_.size() : close;
    if (record) found_.push_back({LineAt(start), std::string(s_.substr(open + 1, end - open - 1))});
    i_ = close == std::string_view::npos ? s_.size() : close + closing.size();
  }

  void Identifier() {
    const size_t start = i_;
    while (i_ < s_.size() && IsIdentChar(s_[i_])) ++i_;
    if (At(i_) != '"') return;
    const std::string_view ident = s_.substr(start, i_ - start);
    constexpr std::array<std::string_view, 4> kPrefixes{"u8", "u", "U", "L"};
    constexpr std::array<std::string_view, 4> kRawPrefixes{"u8R", "uR", "UR", "LR"};
    if (ident == "R") return RawString(true);
    if (std::find(kRawPrefixes.begin(), kRawPrefixes.end(), ident) != kRawPrefixes.end()) {
      return RawString(false);
    }
    if (std::find(kPrefixes.begin(), kPrefixes.end(), ident) != kPrefixes.end()) {
      return QuotedString(false);
    }
    // Any other identifier (a macro, say) is followed by an ordinary literal,
    // which the next step reads.
  }

  std::string_view s_;
  size_t i_ = 0;
  std::vector<size_t> newlines_;
  std::vector<SourceLiteral> found_;
};

}  // namespace

std::vector<SourceLiteral> NarrowStringLiterals(std::string_view source) {
  return Lexer(source).Run();
}

}  // namespace zqk::test
