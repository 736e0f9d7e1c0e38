// The fixture agent's file: any text is either a fixture or refused with a
// reason, never a crash or a runaway allocation.
#include <stdexcept>
#include <string_view>

#include "fuzz/support/FuzzMain.h"
#include "sandbox/fixture/FixtureData.h"

namespace zqk::fuzz {

void RunOne(std::string_view input) {
  try {
    fixture::ParseFixture(input);
  } catch (const std::invalid_argument&) {
    // Refused with a reason, as it should be.
  }
}

}  // namespace zqk::fuzz
