#pragma once
// The accounts ledger: for every account of every sandbox user, its cash by
// currency, its positions (net by product), and its orders and fills of the
// day, seeded at start so that queries show a plausible history before the
// user has sent any order. Orders placed later change it through the
// AccountBook operations (place, amend, cancel, fill), which keep positions
// and cash in step; valuations read current prices from the market.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sandbox/ledger/OpenOrderMargin.h"
#include "sandbox/market/Product.h"
#include "sandbox/market/Users.h"

namespace zqk::sandbox::market {

class SimulatedMarket;

enum class Side : uint8_t { kBuy = 1, kSell = 2 };  // the records' "1" and "2"

enum class OrderAction : uint8_t { kNew, kAmend, kCancel };

// The codes that replies and records carry: "1" buy, "2" sell; "1" new,
// "2" amend, "3" cancel.
std::string_view SideCode(Side side);
std::string_view ActionCode(OrderAction action);

// What a new order asks for.
struct OrderTicket {
  const Product* product = nullptr;
  Side side = Side::kBuy;
  char priceType = '1';      // the order form's code: '1' limit, '2' market, '3' stop, ...
  char fillCondition = '1';  // the order form's code of the market
  int64_t price = 0;         // raw; 0 for a market order
  int64_t stopPrice = 0;     // raw
  int32_t quantity = 0;
  std::string userField;
};

struct Order {
  std::string number;    // unique in the account: seven digits domestic, ten others
  std::string original;  // amend and cancel: the number of the order they change
  OrderAction action = OrderAction::kNew;
  OrderTicket ticket;  // amend: the new price and quantity; cancel: the quantity
  int64_t atMs = 0;    // agent time of acceptance
  int32_t filled = 0;
  int32_t withdrawn = 0;  // cancelled, or moved to an amending order

  // What can still fill (new and amend orders).
  int32_t Open() const {
    return action == OrderAction::kCancel ? 0 : ticket.quantity - filled - withdrawn;
  }
};

struct Fill {
  std::string number;  // unique in the account
  std::string orderNumber;
  const Product* product = nullptr;
  Side side = Side::kBuy;
  int64_t price = 0;  // raw
  int32_t quantity = 0;
  int64_t atMs = 0;
  double realized = 0;  // profit booked by this fill, in the product's currency
  double fee = 0;       // in the product's currency
};

struct Position {
  const Product* product = nullptr;
  Side side = Side::kBuy;
  int32_t quantity = 0;
  double averagePrice = 0;  // raw
};

struct CashBalance {
  std::string currency;
  double opening = 0;   // cash at the start of the day
  double realized = 0;  // booked today
  double fees = 0;      // paid today
  double Cash() const { return opening + realized - fees; }
};

// An account's figures in one currency at a moment.
struct Valuation {
  std::string currency;
  double cash = 0;        // opening + realized - fees
  double unrealized = 0;  // open positions at the market
  double margin = 0;      // initial margin of the positions
  double maintenance = 0;
  double orderMargin = 0;  // initial margin held for open orders
  double Equity() const { return cash + unrealized; }
  double Available() const;  // what new orders may still use, never below 0
};

class AccountBook {
 public:
  AccountBook(std::string userId, Account account);

  const Account& account() const { return account_; }
  const std::string& userId() const { return userId_; }
  const std::vector<Order>& orders() const { return orders_; }
  const std::vector<Fill>& fills() const { return fills_; }
  const std::vector<Position>& positions() const { return positions_; }
  const std::vector<CashBalance>& cash() const { return cash_; }

  const Order* FindOrder(std::string_view number) const;
  const Position* FindPosition(const Product& p) const;

  // Accepts a new order; numbers it.
  const Order& Place(const OrderTicket& ticket, int64_t atMs);
  // Moves the open part of order `number` to a new amending order with a new
  // price (raw; 0 keeps the old one), quantity (0 keeps all that is open,
  // and never more than that) and stop price (0 keeps the old one). Null
  // when the order has nothing open.
  const Order* Amend(std::string_view number, int64_t price, int32_t quantity, int64_t atMs,
                     int64_t stopPrice = 0);
  // Cancels `quantity` (0: all) of the open part of order `number` with a
  // cancel order. Null when the order has nothing open.
  const Order* Cancel(std::string_view number, int32_t quantity, int64_t atMs);
  // Fills `quantity` of order `number` at `price` (raw), at most its open
  // quantity; moves the position and the cash. Null when nothing was open.
  const Fill* ApplyFill(std::string_view number, int64_t price, int32_t quantity, int64_t atMs);

  // Adds a currency's cash (seeding, and accounts that deposit).
  void Deposit(std::string_view currency, double amount);

  // The account's figures at `atMs`, one entry per currency it holds, the
  // main currency first. FX margin accounts count everything in US dollars
  // (their cash is kept in the currencies their pairs settle in).
  std::vector<Valuation> Value(SimulatedMarket& market, int64_t atMs) const;
  // The entry of one currency (zeros when the account holds none of it).
  Valuation ValueIn(std::string_view currency, SimulatedMarket& market, int64_t atMs) const;
  // What new orders in product `p` may still use, in CurrencyOf(p).
  double Available(const Product& p, SimulatedMarket& market, int64_t atMs) const;

  // The currency that product `p` counts in for this account.
  std::string CurrencyOf(const Product& p) const;
  // KRW for domestic accounts, USD for the others.
  std::string MainCurrency() const;

 private:
  std::string NextOrderNumber();
  Order* FindOpen(std::string_view number);
  // Adds an order to the book and its number to the index.
  Order& Add(Order order);
  // Takes `quantity` (0: all) of the open part of order `number` out of it
  // into a new order of `action` that names it, at a new price and stop
  // price where they are above 0; null when nothing is open.
  Order* Withdraw(std::string_view number, int32_t quantity, OrderAction action, int64_t atMs,
                  int64_t price = 0, int64_t stopPrice = 0);
  // Order `o` of the book had `before` open until its last change: the margin
  // of the open orders follows.
  void OpenChanged(const Order& o, int32_t before);
  CashBalance& CashIn(std::string_view currency);

  std::string userId_;
  Account account_;
  std::vector<Order> orders_;
  // Where each order number is in orders_: an account's order feed looks
  // an order up for every record.
  struct NumberHash {
    using is_transparent = void;
    size_t operator()(std::string_view number) const {
      return std::hash<std::string_view>()(number);
    }
  };
  std::unordered_map<std::string, size_t, NumberHash, std::equal_to<>> orderAt_;
  OpenOrderMargin openMargin_;
  std::vector<Fill> fills_;
  std::vector<Position> positions_;
  std::vector<CashBalance> cash_;
  int64_t nextOrder_ = 1;
  int64_t nextFill_ = 1;
  friend class Ledger;  // seeding sets the first numbers
};

class Ledger {
 public:
  // Seeds every account of `users` from the market's history before the
  // agent's start.
  Ledger(const std::vector<User>& users, SimulatedMarket& market);

  // Trailing blanks of `number` are ignored.
  AccountBook* Find(std::string_view number);
  const AccountBook* Find(std::string_view number) const;
  // In the order of the settings.
  std::vector<AccountBook*> OfUser(std::string_view userId);

 private:
  void Seed(AccountBook& book, SimulatedMarket& market);
  std::map<std::string, std::unique_ptr<AccountBook>, std::less<>> books_;
  std::vector<AccountBook*> order_;
};

// Converts an amount into US dollars at the market's prices at `atMs`.
double ToUsd(double amount, std::string_view currency, SimulatedMarket& market, int64_t atMs);
// The currency's decimals in amounts (KRW and JPY none, others two).
int CurrencyDecimals(std::string_view currency);
// Initial margin of one contract at raw price `price`.
double MarginPerContract(const Product& p, int64_t price, Side side);
// The fee of a fill, in the product's currency.
double FeeOf(const Product& p, int64_t price, int32_t quantity);

}  // namespace zqk::sandbox::market
