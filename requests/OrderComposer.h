#pragma once
// The fixed-width order records: every field trimmed, left-aligned and
// blank-filled to its width in bytes, joined with nothing in between. Widths
// count CP949 bytes (a Korean syllable is two); a value longer than its field
// is kept whole and pushes the later fields right.

#include <cstddef>
#include <string>
#include <string_view>

#include "protocol/Market.h"
#include "protocol/OrderLayouts.h"

namespace zqk {

using protocol::OrderLayout;

// The texts of the order form as read from its controls; list fields hold the
// code of the selected item (ListItemCode), not the whole item.
struct OrderFormValues {
  std::string account;
  std::string password;
  std::string product;
  std::string buySell;
  std::string priceType;
  std::string fillCondition;
  std::string price;
  std::string quantity;
  std::string origOrderNo;
  std::string strategy;
  std::string designatedPrice;
  std::string iocQuantity;
  std::string optionExercise;
  std::string validDate;
  std::string userField;
  // No control of the form gives the FX margin order type: its records are
  // not composed.
  std::string fxOrderType;

  const std::string& Get(OrderField field) const;
  std::string& Get(OrderField field);
};

// The code a pick-list item stands for: its first byte ("2.매도" gives "2");
// empty when there is no selected item.
std::string ListItemCode(std::string_view itemText);

// Fills `value` with `fill` up to `width` bytes, on the right when leftAlign
// is set, else on the left. A value of `width` bytes or more is returned whole.
std::string PadField(std::string_view value, size_t width, bool leftAlign, char fill);

// The layouts D-N, D-AC, O-N, O-AC and F-C.
const OrderLayout& DomesticNewLayout();
const OrderLayout& DomesticAmendCancelLayout();
const OrderLayout& OverseasNewLayout();
const OrderLayout& OverseasAmendCancelLayout();
const OrderLayout& FxCancelLayout();

// The layout that Apply Order composes for an order kind in a market: that
// of the kind's TR code, unless the layout is one the console does not
// compose (FX margin New and Amend: the FX margin radio's sample record is the
// only FX margin New record there is).
const OrderLayout* LayoutFor(Market market, OrderKind kind);

// The record of `layout` for these values: each field trimmed, then aligned
// and filled to its width as the layout says.
std::string ComposeRecord(const OrderFormValues& values, const OrderLayout& layout);

// The order record for the form's values; empty when no layout applies
// (an order kind outside 0 to 5, or FX margin New or Amend).
std::string ComposeOrder(const OrderFormValues& values, Market market, int orderKindIndex);

}  // namespace zqk
