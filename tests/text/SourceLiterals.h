#pragma once
// Finds the narrow string literals of C and C++ source text, for the check that
// every one of them converts to CP949. Comments, character literals and
// literals with an encoding prefix (u8, u, U, L) are skipped; raw strings
// count. Not a full preprocessor: line splices outside comments are ignored.

#include <string>
#include <string_view>
#include <vector>

namespace zqk::test {

struct SourceLiteral {
  int line;          // 1-based line of the opening quote
  std::string text;  // the source bytes between the delimiters, escapes as written
};

std::vector<SourceLiteral> NarrowStringLiterals(std::string_view source);

}  // namespace zqk::test
