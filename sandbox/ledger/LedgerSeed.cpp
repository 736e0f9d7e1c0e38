// The ledger's starting point: every account opens the day with cash,
// a position or two carried from the day before, and a morning of orders in
// the five hours before the agent's start (filled, partly filled, resting
// and cancelled), all priced from the market's own history. No order that
// still rests at the start crosses the market then: the exchange matches
// seeded orders like any other once their user signs in.
#include <algorithm>
#include <cmath>

#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/SeededHash.h"
#include "sandbox/market/SimulatedMarket.h"

namespace zqk::sandbox::market {
namespace {

struct Seeding {
  std::vector<std::string_view> products;
  std::vector<std::pair<std::string_view, double>> cash;
};

Seeding SeedingOf(Market market) {
  switch (market) {
    case Market::kDomestic:
      return {{"101G3000", "101M3000", "201JB245", "301JB245", "105F9000"}, {{"KRW", 300'000'000}}};
    case Market::kOverseas:
      return {{"ESU16", "CLV16", "GCZ16", "6EU16", "NQU16", "FDAXU16", "HSIU16"},
              {{"USD", 300'000}, {"EUR", 100'000}, {"HKD", 1'000'000}, {"JPY", 20'000'000}}};
    case Market::kFxMargin:
      return {{"EUR/USD", "USD/JPY", "GBP/USD", "AUD/USD"}, {{"USD", 200'000}}};
  }
  return {};
}

constexpr int64_t kMinuteMs = 60'000;
constexpr int64_t kMorningMs = 5 * 60 * kMinuteMs;

}  // namespace

Ledger::Ledger(const std::vector<User>& users, SimulatedMarket& market) {
  for (const User& user : users) {
    for (const Account& account : user.accounts) {
      auto book = std::make_unique<AccountBook>(user.id, account);
      Seed(*book, market);
      order_.push_back(book.get());
      books_.emplace(account.number, std::move(book));
    }
  }
}

void Ledger::Seed(AccountBook& book, SimulatedMarket& market) {
  const Seeding seeding = SeedingOf(book.account().market);
  std::vector<const Product*> products;
  for (std::string_view code : seeding.products) {
    if (const Product* p = market.products().Find(code)) products.push_back(p);
  }
  const uint64_t key = Hash(market.seed(), TextHash(book.account().number));
  uint64_t h = key;
  auto next = [&] { return h = Mix(h); };

  for (const auto& [currency, amount] : seeding.cash) {
    // Round amounts, a little different for every account.
    book.Deposit(currency, amount * static_cast<double>(Between(next(), 8, 15)) / 10);
  }
  book.nextOrder_ = Between(next(), 1, 90) * 100 + 1;
  book.nextFill_ = book.nextOrder_ * 3;
  if (products.empty()) return;

  const int64_t start = market.clock().agentMsAtStart();
  // Quantities stay small beside the account's cash: no seeded position or
  // order takes more than a few percent of it in margin.
  double cashUsd = 0;
  for (const auto& [currency, amount] : seeding.cash) {
    cashUsd += ToUsd(amount, currency, market, start);
  }
  auto quantity = [&](const Product& p, int64_t price) {
    const double perContract =
        ToUsd(MarginPerContract(p, price, Side::kSell), p.currency, market, start);
    const int64_t most = perContract > 0 ? static_cast<int64_t>(cashUsd * 0.05 / perContract) : 5;
    return static_cast<int32_t>(Between(next(), 1, std::clamp<int64_t>(most, 1, 5)));
  };
  // Carried from yesterday: a position in one of the first two products (a
  // future) and one in the next two (a domestic option, another future, a
  // pair), bought or sold near the previous close.
  const int64_t yesterday = market.StepAt(market.clock().DayStart(start - kMorningMs)) - 1;
  for (size_t i = 0; i < std::min<size_t>(2, products.size()); ++i) {
    const size_t pick = i == 0 ? next() % 2 : 2 + next() % 2;
    const Product& p = *products[std::min(pick, products.size() - 1)];
    if (book.FindPosition(p)) continue;
    int64_t price = market.PriceAt(p, yesterday);
    for (int64_t k = Between(next(), -3, 3); k != 0; k += k > 0 ? -1 : 1) {
      price = k > 0 ? SimulatedMarket::TickUp(p, price)
                    : std::max(p.TickAt(0), SimulatedMarket::TickDown(p, price));
    }
    const Side side = next() % 2 ? Side::kBuy : Side::kSell;
    book.positions_.push_back(Position{&p, side, quantity(p, price), static_cast<double>(price)});
  }

  // The morning's orders.
  const int count = static_cast<int>(Between(next(), 6, 10));
  for (int i = 0; i < count; ++i) {
    const int64_t at = start - kMorningMs + kMorningMs * i / count +
                       Between(next(), 0, kMorningMs / count - kMinuteMs);
    const Product& p = *products[next() % products.size()];
    const Book quotes = market.BookAt(p, market.StepAt(at));
    const Book opening = market.BookAt(p, market.StepAt(start));
    OrderTicket ticket;
    ticket.product = &p;
    ticket.side = next() % 2 ? Side::kBuy : Side::kSell;
    ticket.quantity = quantity(p, quotes.asks[0].price);
    const bool buy = ticket.side == Side::kBuy;
    const int64_t touch = buy ? quotes.asks[0].price : quotes.bids[0].price;
    // The first order fills and the last one rests, whatever else happens.
    const double outcome = i == 0 ? 0.0 : i == count - 1 ? 0.75 : Unit(next());
    if (outcome < 0.55) {
      // Filled at once: a market order or a limit at the touch.
      const bool marketOrder = next() % 2;
      ticket.priceType = marketOrder ? '2' : '1';
      ticket.price = marketOrder ? 0 : touch;
      const Order& o = book.Place(ticket, at);
      book.ApplyFill(o.number, touch, ticket.quantity, at);
      continue;
    }
    ticket.priceType = '1';
    if (outcome < 0.7 && ticket.quantity > 1) {
      // Partly filled at the touch, the rest resting there, or filled later
      // in the morning where the market has since gone through it.
      ticket.price = touch;
      const std::string number = book.Place(ticket, at).number;
      book.ApplyFill(number, touch, ticket.quantity / 2, at);
      const bool crossed = buy ? touch >= opening.asks[0].price : touch <= opening.bids[0].price;
      if (crossed) {
        book.ApplyFill(number, touch, ticket.quantity,
                       std::min(start - 1000, at + Between(next(), 1, 20) * kMinuteMs));
      }
      continue;
    }
    // Resting well away from the market, as it was then and as it is at the
    // start; some cancelled later.
    int64_t price = buy ? std::min(quotes.bids[0].price, opening.bids[0].price)
                        : std::max(quotes.asks[0].price, opening.asks[0].price);
    for (int64_t k = Between(next(), 5, 20); k > 0; --k) {
      price = buy ? std::max(p.TickAt(0), SimulatedMarket::TickDown(p, price))
                  : SimulatedMarket::TickUp(p, price);
    }
    ticket.price = price;
    const std::string number = book.Place(ticket, at).number;
    if (outcome >= 0.88) {
      book.Cancel(number, 0, std::min(start - 1000, at + Between(next(), 1, 20) * kMinuteMs));
    }
  }
}

AccountBook* Ledger::Find(std::string_view number) {
  const size_t end = number.find_last_not_of(' ');
  auto it =
      books_.find(end == std::string_view::npos ? std::string_view() : number.substr(0, end + 1));
  return it == books_.end() ? nullptr : it->second.get();
}

const AccountBook* Ledger::Find(std::string_view number) const {
  return const_cast<Ledger*>(this)->Find(number);
}

std::vector<AccountBook*> Ledger::OfUser(std::string_view userId) {
  std::vector<AccountBook*> out;
  for (AccountBook* book : order_) {
    if (book->userId() == userId) out.push_back(book);
  }
  return out;
}

}  // namespace zqk::sandbox::market
