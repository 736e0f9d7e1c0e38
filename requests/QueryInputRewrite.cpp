#include "requests/QueryInputRewrite.h"

#include <optional>

#include "protocol/QueryInputs.h"

namespace zqk {
namespace {

struct RewriteWidths {
  size_t accountEnd;
  size_t tail;
};

std::optional<RewriteWidths> WidthsOf(std::string_view trCode) {
  const protocol::InputLayout* layout = protocol::InputLayoutOf(trCode);
  if (!layout || !layout->rewrite) return std::nullopt;
  const protocol::InputField& account = layout->fields[layout->rewrite->accountField];
  return RewriteWidths{size_t{account.offset} + account.width,
                       layout->fields[layout->rewrite->tailField].width};
}

}  // namespace

bool HasAccountRewrite(std::string_view trCode) {
  return protocol::AccountRewriteOf(trCode) != nullptr;
}

std::string_view InputAccount(std::string_view trCode, std::string_view input) {
  const std::optional<RewriteWidths> widths = WidthsOf(trCode);
  return widths ? input.substr(0, widths->accountEnd) : std::string_view();
}

std::string RewriteAccountInput(std::string_view trCode, std::string_view input,
                                std::string_view accountText) {
  const std::optional<RewriteWidths> widths = WidthsOf(trCode);
  if (!widths) return std::string(input);
  std::string sent(input.substr(0, widths->accountEnd));
  sent.append(accountText);
  const size_t tailStart = widths->accountEnd + accountText.size();
  if (tailStart < input.size()) sent.append(input.substr(tailStart, widths->tail));
  return sent;
}

}  // namespace zqk
