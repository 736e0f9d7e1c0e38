#include "requests/QueryInputRewrite.h"

#include "protocol/TrCodes.h"

namespace zqk {

bool HasAccountRewrite(std::string_view trCode) {
  return trCode == tr::kDomesticOpenOrders || trCode == tr::kDomesticFills;
}

std::string_view InputAccount(std::string_view input) {
  return input.substr(0, kInputAccountWidth);
}

std::string RewriteAccountInput(std::string_view input, std::string_view accountText) {
  std::string sent(InputAccount(input));
  sent.append(accountText);
  const size_t tailStart = kInputAccountWidth + accountText.size();
  if (tailStart < input.size()) sent.append(input.substr(tailStart, kInputTailWidth));
  return sent;
}

}  // namespace zqk
