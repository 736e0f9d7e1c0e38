#pragma once
// The sandbox's users and their accounts, each account of one of the three
// markets. The settings say which users there are (settings/SandboxSettings.h);
// the market, the ledger and the services know them by these types.

#include <string>
#include <string_view>
#include <vector>

#include "protocol/Market.h"

namespace zqk::sandbox {

// The broker's three markets, as the codes and layouts name them.
using zqk::Market;

struct Account {
  std::string number;    // CP949, at most 11 bytes, no blanks
  std::string password;  // CP949, at most 8 bytes
  Market market = Market::kDomestic;
  std::string name;  // CP949
};

struct User {
  std::string id;  // CP949; compared exactly
  std::string password;
  std::string certPassword;
  std::string token;  // the user token that FX inputs start with; may be empty
  std::string name;   // CP949
  std::vector<Account> accounts;

  const Account* FindAccount(std::string_view number) const;
};

}  // namespace zqk::sandbox
