#include "sandbox/services/QueryInput.h"

#include <QDate>
#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "sandbox/broker/Broker.h"
#include "sandbox/market/Calendar.h"
#include "text/Cp949Bytes.h"

namespace zqk::sandbox {

const protocol::InputField& QueryInput::Field(std::string_view name) const {
  if (const protocol::InputField* f = layout_.Find(name)) return *f;
  throw std::logic_error(std::string("input field not in the layout: ").append(name));
}

std::string_view QueryInput::Raw(std::string_view field) const {
  const protocol::InputField& f = Field(field);
  if (f.offset >= text_.size()) return {};
  return text_.substr(f.offset, f.width);
}

std::string_view QueryInput::Text(std::string_view field) const {
  return TrimBlanks(Raw(field));
}

int32_t QueryInput::Number(std::string_view field) const {
  const protocol::InputField& f = Field(field);
  if (!f.number) throw std::logic_error(std::string("not a number field: ").append(field));
  return NumberOf(Text(field), f.number->fallback, f.number->min, f.number->max, f.name);
}

std::optional<int32_t> QueryInput::Date(std::string_view field) const {
  const std::string_view text = Text(field);
  if (text.empty()) return std::nullopt;
  int32_t ymd = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), ymd);
  if (ec != std::errc() || end != text.data() + text.size() || text.size() != 8 ||
      !market::FromYmd(ymd).isValid()) {
    std::string detail(Field(field).name);
    detail.append(" ").append(text);
    throw Refused(kMsgBadInput, detail);
  }
  return ymd;
}

int32_t NumberOf(std::string_view text, int32_t fallback, int32_t min, int32_t max,
                 std::string_view what) {
  text = TrimBlanks(text);
  if (text.empty()) return fallback;
  int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < min || value > max) {
    std::string detail(what);
    detail.append(" ").append(text);
    throw Refused(kMsgBadInput, detail);
  }
  return value;
}

LayoutRow AddReplyRow(EventData& d, const QueryContext& q, std::string_view record) {
  const protocol::RecordLayout* layout = q.reply.Record(record);
  if (!layout) throw std::logic_error(std::string("record not in the reply: ").append(record));
  return AddRow(d, *layout);
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
