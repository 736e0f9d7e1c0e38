#include "tests/text/SourceLiterals.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace zqk::test {
namespace {

using Found = std::vector<std::pair<int, std::string>>;

Found Lex(std::string_view source) {
  Found found;
  for (const SourceLiteral& l : NarrowStringLiterals(source)) found.emplace_back(l.line, l.text);
  return found;
}

TEST(SourceLiterals, SkipsCommentsCharactersAndPrefixedLiterals) {
  const std::string_view source = R"src(// "in a line comment" \
"still the comment"
/* "in a block
   comment" */ int a = 1'000'000; const char* s = "one";
char c = '"'; char d = '\''; char e = u8'x'; auto f = 0x1'F; double g = 1e+5;
auto w = u8"u8" L"wide" u"16" U"32" uR"(raw16)" u8R"d(raw8 )" )d";
auto x = "esc \" quote \\"; MACRO"after identifier"
)src";
  EXPECT_EQ(Lex(source), (Found{{4, "one"}, {7, R"(esc \" quote \\)"}, {7, "after identifier"}}));
}

TEST(SourceLiterals, RawStringsKeepTheirContentAndLines) {
  const std::string_view source =
      "auto r = R\"x(raw \"quoted\" )\" still)x\";\n"
      "auto t = R\"(two\nlines)\" \"next\";\n"
      "auto q = LR\"(wide raw)\" R\"(\\n)\";\n";
  EXPECT_EQ(
      Lex(source),
      (Found{{1, R"x(raw "quoted" )" still)x"}, {2, "two\nlines"}, {3, "next"}, {4, R"(\n)"}}));
}

TEST(SourceLiterals, SplicedAndUnterminatedLiterals) {
  const std::string_view source =
      "\"multi\\\nline\" x;\n"
      "#error don't stop here\n"
      "\"open\n"
      "\"after\" /* never closed \"hidden\"";
  EXPECT_EQ(Lex(source), (Found{{1, "multi\\\nline"}, {4, "open"}, {5, "after"}}));
}

TEST(SourceLiterals, KeepsNonAsciiBytesAsWritten) {
  const std::string_view source = "f(\"\xED\x95\x9C\xEA\xB8\x80\", R\"(\xE2\x96\xBC)\");";
  EXPECT_EQ(Lex(source), (Found{{1, "\xED\x95\x9C\xEA\xB8\x80"}, {1, "\xE2\x96\xBC"}}));
}

}  // namespace
}  // namespace zqk::test
