#pragma once
// The one function a fuzz target defines. Every target is one program: under
// afl-fuzz it reads one input (a file named on the command line, or standard
// input); in the test suite it runs over every file of the folders it is
// given, its seeds and the inputs that once failed, in one process.

#include <string_view>

namespace zqk::fuzz {

// Runs the code under test on one input. A fault aborts (a failed check, a
// sanitizer report, a crash); any return is a pass.
void RunOne(std::string_view input);

}  // namespace zqk::fuzz
