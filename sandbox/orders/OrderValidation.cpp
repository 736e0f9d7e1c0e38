#include "sandbox/orders/OrderValidation.h"

#include <QDate>
#include <charconv>
#include <optional>

#include "sandbox/broker/Broker.h"
#include "sandbox/market/Calendar.h"
#include "sandbox/market/PriceFormat.h"
#include "sandbox/orders/OrderMessages.h"

namespace zqk::sandbox::orders {
namespace {

using market::AccountBook;
using market::Order;
using market::OrderAction;
using market::OrderTicket;
using market::Product;
using market::ProductKind;
using market::Side;

// The codes that each market's lists give (what the composer copies into the
// record), with the code the order book keeps.
struct Code {
  std::string_view text;
  char code;
};

constexpr Code kSides[] = {{"1", '1'}, {"2", '2'}};
constexpr Code kDomesticPriceTypes[] = {{"1", '1'}, {"2", '2'}};
constexpr Code kOverseasPriceTypes[] = {{"1", '1'}, {"2", '2'}, {"3", '3'}, {"4", '4'}};
// FX New names its price condition by a three-letter order type.
constexpr Code kFxOrderTypes[] = {{"CEO", '1'}, {"CMO", '2'}};
constexpr Code kDomesticFillConditions[] = {{"1", '1'}, {"2", '2'}, {"3", '3'}};
constexpr Code kOverseasFillConditions[] = {
    {"0", '0'}, {"1", '1'}, {"3", '3'}, {"4", '4'}, {"6", '6'}};
// FX orders have no fill condition: they rest until filled or cancelled, as
// overseas GTC orders do.
constexpr char kFxFillCondition = '1';

template <size_t N>
std::optional<char> Lookup(const Code (&table)[N], std::string_view text) {
  for (const Code& c : table) {
    if (c.text == text) return c.code;
  }
  return std::nullopt;
}

Refusal Refuse(const Message& m, std::string_view detail = {}) {
  return Refusal{m, std::string(detail)};
}

// Blank is 0; nullopt beyond kMaxQuantity (the field already holds digits
// only).
std::optional<int32_t> Quantity(std::string_view text) {
  if (text.empty()) return 0;
  int64_t v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v > kMaxQuantity) {
    return std::nullopt;
  }
  return static_cast<int32_t>(v);
}

// A positive price on the product's grid, else the refusal with `bad`.
std::variant<int64_t, Refusal> Price(const Product& p, std::string_view text, const Message& bad) {
  const std::optional<int64_t> raw = market::ParseQuoted(p, text);
  if (!raw || *raw <= 0) return Refuse(bad, text);
  if (*raw % p.TickAt(*raw) != 0) return Refuse(kMsgOffTick, text);
  return *raw;
}

bool IsDate(std::string_view text, int32_t& ymd) {
  if (text.size() != 8) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), ymd);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  const QDate d = market::FromYmd(ymd);
  return d.isValid() && market::ToYmd(d) == ymd;
}

std::string_view WithoutLeadingZeros(std::string_view s) {
  const size_t first = s.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

bool Tradable(const OrderCode& code, const Product& p) {
  if (p.market != code.market || p.kind == ProductKind::kIndex) return false;
  // The night session lists the KOSPI200 futures only.
  return !code.cme || p.kind == ProductKind::kFuture;
}

class Checker {
 public:
  Checker(const OrderCode& code, const OrderRecord& r, Broker& broker)
      : code_(code), r_(r), broker_(broker) {}

  Validation Run() {
    if (auto refusal = Account()) return *refusal;
    if (auto refusal = Product()) return *refusal;
    const std::optional<Refusal> refusal =
        code_.action == OrderAction::kNew ? New() : AmendOrCancel();
    if (refusal) return *refusal;
    return out_;
  }

 private:
  std::optional<Refusal> Account() {
    const std::string_view number = r_[Field::kAccount];
    AccountBook* book = number.empty() ? nullptr : broker_.UserAccount(number);
    if (!book) return Refuse(kMsgBadAccount, number);
    if (book->account().market != code_.market) return Refuse(kMsgAccountMarket, number);
    if (book->account().password != r_[Field::kPassword]) return Refuse(kMsgBadPassword);
    out_.book = book;
    return std::nullopt;
  }

  std::optional<Refusal> Product() {
    const std::string_view text = r_[Field::kProduct];
    const market::Product* p = broker_.market.products().Find(text);
    if (!p) return Refuse(kMsgUnknownProduct, text);
    if (!Tradable(code_, *p)) return Refuse(kMsgProductNotTradable, text);
    out_.ticket.product = p;
    return std::nullopt;
  }

  std::optional<Refusal> New() {
    OrderTicket& t = out_.ticket;
    const market::Product& p = *t.product;
    const std::optional<char> side = Lookup(kSides, r_[Field::kBuySell]);
    if (!side) return Refuse(kMsgBadSide, r_[Field::kBuySell]);
    t.side = *side == '1' ? Side::kBuy : Side::kSell;

    std::optional<char> priceType;
    std::optional<char> fill;
    switch (code_.market) {
      case Market::kDomestic:
        priceType = Lookup(kDomesticPriceTypes, r_[Field::kPriceType]);
        if (!priceType) return Refuse(kMsgBadPriceType, r_[Field::kPriceType]);
        fill = Lookup(kDomesticFillConditions, r_[Field::kFillCondition]);
        break;
      case Market::kOverseas:
        priceType = Lookup(kOverseasPriceTypes, r_[Field::kPriceType]);
        if (!priceType) return Refuse(kMsgBadPriceType, r_[Field::kPriceType]);
        fill = Lookup(kOverseasFillConditions, r_[Field::kFillCondition]);
        break;
      case Market::kFxMargin:
        priceType = Lookup(kFxOrderTypes, r_[Field::kFxOrderType]);
        if (!priceType) return Refuse(kMsgBadPriceType, r_[Field::kFxOrderType]);
        fill = kFxFillCondition;
        break;
    }
    if (!fill) return Refuse(kMsgBadFillCondition, r_[Field::kFillCondition]);
    t.priceType = *priceType;
    t.fillCondition = *fill;

    // Limit and stop limit: the price is the limit. Stop: the price is the
    // stop. Stop limit: the designated price is the stop. Market: any
    // price text is ignored.
    if (t.priceType != '2') {
      auto price = Price(p, r_[Field::kPrice], kMsgBadPrice);
      if (auto* refusal = std::get_if<Refusal>(&price)) return *refusal;
      const int64_t raw = std::get<int64_t>(price);
      if (t.priceType == '3') {
        t.stopPrice = raw;
      } else {
        t.price = raw;
      }
    }
    if (t.priceType == '4') {
      auto stop = Price(p, r_[Field::kDesignatedPrice], kMsgBadStopPrice);
      if (auto* refusal = std::get_if<Refusal>(&stop)) return *refusal;
      t.stopPrice = std::get<int64_t>(stop);
    }

    const std::optional<int32_t> qty = Quantity(r_[Field::kQuantity]);
    if (!qty || *qty <= 0) return Refuse(kMsgBadQuantity, r_[Field::kQuantity]);
    t.quantity = *qty;

    if (code_.market == Market::kOverseas) {
      if (auto refusal = OverseasExtras()) return refusal;
    }
    t.userField = std::string(r_[Field::kUserField]);
    return std::nullopt;
  }

  std::optional<Refusal> OverseasExtras() {
    const std::string_view strategy = r_[Field::kStrategy];
    if (!strategy.empty() && strategy != "1") return Refuse(kMsgBadStrategy, strategy);
    const std::string_view exercise = r_[Field::kOptionExercise];
    if (!exercise.empty() && exercise != "0" && exercise != "1") {
      return Refuse(kMsgBadExercise, exercise);
    }
    const std::string_view until = r_[Field::kValidDate];
    const bool gtd = out_.ticket.fillCondition == '6';
    if (until.empty() && !gtd) return std::nullopt;
    const int32_t today = broker_.market.clock().Local(broker_.Now()).date;
    int32_t ymd = 0;
    if (!IsDate(until, ymd) || ymd < today) return Refuse(kMsgBadValidUntil, until);
    if (gtd) out_.validUntil = ymd;
    return std::nullopt;
  }

  std::optional<Refusal> AmendOrCancel() {
    const std::string_view number = r_[Field::kOrigOrderNo];
    const Order* target = number.empty() ? nullptr : FindOrderByNumber(*out_.book, number);
    if (!target || target->action == OrderAction::kCancel) return Refuse(kMsgNoSuchOrder, number);
    if (target->Open() <= 0) return Refuse(kMsgNothingOpen, number);
    OrderTicket& t = out_.ticket;
    if (target->ticket.product != t.product) return Refuse(kMsgOtherProduct, r_[Field::kProduct]);
    out_.target = target;
    t.side = target->ticket.side;
    t.priceType = target->ticket.priceType;
    t.fillCondition = target->ticket.fillCondition;

    const std::optional<int32_t> qty = Quantity(r_[Field::kQuantity]);
    if (!qty) return Refuse(kMsgBadQuantity, r_[Field::kQuantity]);
    if (code_.action == OrderAction::kCancel) {
      // More than is open cancels what is open.
      t.quantity = std::min(*qty, target->Open());
      return std::nullopt;
    }
    if (*qty > target->Open()) {
      return Refuse(kMsgAmendTooLarge, std::to_string(*qty) + "/" + std::to_string(target->Open()));
    }
    t.quantity = *qty;

    const char side = t.side == Side::kBuy ? '1' : '2';
    if (code_.market == Market::kDomestic && r_[Field::kBuySell] != std::string_view(&side, 1)) {
      return Refuse(kMsgOtherSide, r_[Field::kBuySell]);
    }
    if (code_.market != Market::kFxMargin &&
        r_[Field::kPriceType] != std::string_view(&t.priceType, 1)) {
      return Refuse(kMsgOtherPriceType, r_[Field::kPriceType]);
    }
    if (code_.market == Market::kOverseas) {
      const std::string_view strategy = r_[Field::kStrategy];
      if (!strategy.empty() && strategy != "1") return Refuse(kMsgBadStrategy, strategy);
    }
    // A blank price keeps the old one; a market order has none to change.
    const std::string_view price = r_[Field::kPrice];
    if (price.empty() || t.priceType == '2') return std::nullopt;
    auto raw = Price(*t.product, price, kMsgBadPrice);
    if (auto* refusal = std::get_if<Refusal>(&raw)) return *refusal;
    // A stop order's price is its stop; the stop limit keeps its stop.
    if (t.priceType == '3') {
      t.stopPrice = std::get<int64_t>(raw);
    } else {
      t.price = std::get<int64_t>(raw);
    }
    return std::nullopt;
  }

  const OrderCode& code_;
  const OrderRecord& r_;
  Broker& broker_;
  ValidOrder out_;
};

}  // namespace

const Order* FindOrderByNumber(const AccountBook& book, std::string_view number) {
  if (const Order* o = book.FindOrder(number)) return o;
  const std::string_view digits = WithoutLeadingZeros(number);
  if (digits.empty()) return nullptr;
  for (const Order& o : book.orders()) {
    if (WithoutLeadingZeros(o.number) == digits) return &o;
  }
  return nullptr;
}

Validation ValidateOrder(const OrderCode& code, const OrderRecord& record, Broker& broker) {
  return Checker(code, record, broker).Run();
}

}  // namespace zqk::sandbox::orders
