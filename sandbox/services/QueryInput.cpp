#include "sandbox/services/QueryInput.h"

#include <QDate>
#include <algorithm>
#include <charconv>

#include "sandbox/broker/Broker.h"
#include "sandbox/market/Calendar.h"
#include "text/Cp949Bytes.h"

namespace zqk::sandbox {

std::string_view QueryInput::Raw(size_t offset, size_t width) const {
  if (offset >= text_.size()) return {};
  return text_.substr(offset, width);
}

std::string_view QueryInput::Text(size_t offset, size_t width) const {
  return TrimBlanks(Raw(offset, width));
}

int32_t QueryInput::Number(size_t offset, size_t width, int32_t fallback, int32_t min, int32_t max,
                           std::string_view what) const {
  const std::string_view field = Text(offset, width);
  if (field.empty()) return fallback;
  int32_t value = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (ec != std::errc() || end != field.data() + field.size() || value < min || value > max) {
    std::string detail(what);
    detail.append(" ").append(field);
    throw Refused(kMsgBadInput, detail);
  }
  return value;
}

std::optional<int32_t> QueryInput::Date(size_t offset, std::string_view what) const {
  const std::string_view field = Text(offset, 8);
  if (field.empty()) return std::nullopt;
  int32_t ymd = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), ymd);
  if (ec != std::errc() || end != field.data() + field.size() || field.size() != 8 ||
      !market::FromYmd(ymd).isValid()) {
    std::string detail(what);
    detail.append(" ").append(field);
    throw Refused(kMsgBadInput, detail);
  }
  return ymd;
}

market::AccountBook& OwnAccount(QueryContext& q, std::string_view number,
                                std::initializer_list<Market> markets) {
  const std::string_view trimmed = TrimBlanks(number);
  market::AccountBook* book = q.broker.UserAccount(trimmed);
  // The field's width may cut a double-byte character: the detail shows the
  // whole characters only.
  const std::string shown(Cp949Prefix(trimmed, trimmed.size()));
  if (trimmed.empty() || !book) throw Refused(kMsgUnknownAccount, shown);
  if (std::find(markets.begin(), markets.end(), book->account().market) == markets.end()) {
    throw Refused(kMsgWrongMarketAccount, shown);
  }
  return *book;
}

market::AccountBook& CheckedAccount(QueryContext& q, std::string_view number,
                                    std::string_view password,
                                    std::initializer_list<Market> markets) {
  market::AccountBook& book = OwnAccount(q, number, markets);
  if (TrimBlanks(password) != book.account().password) {
    throw Refused(kMsgWrongAccountPassword, book.account().number);
  }
  return book;
}

const market::Product& CheckedProduct(QueryContext& q, std::string_view code,
                                      std::initializer_list<Market> markets) {
  const std::string_view trimmed = TrimBlanks(code);
  const market::Product* p = q.broker.market.products().Find(trimmed);
  if (!p || trimmed.empty() ||
      std::find(markets.begin(), markets.end(), p->market) == markets.end()) {
    throw Refused(kMsgUnknownProduct, std::string(trimmed));
  }
  return *p;
}

}  // namespace zqk::sandbox
