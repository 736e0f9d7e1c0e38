#include "sandbox/market/Users.h"

namespace zqk::sandbox {

const Account* User::FindAccount(std::string_view number) const {
  for (const Account& a : accounts) {
    if (a.number == number) return &a;
  }
  return nullptr;
}

}  // namespace zqk::sandbox
