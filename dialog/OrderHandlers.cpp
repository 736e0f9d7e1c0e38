// Apply Order: the order form becomes one fixed-width record in edit 1023.
#include "dialog/CZQKCommClientDlg.h"
#include "requests/OrderComposer.h"

namespace zqk {

void CZQKCommClientDlg::OnApplyOrder() {
  const ListIndex kind = model_.Selected(id::kOrderKind);

  // Hidden controls are read like visible ones; the layout decides what is used.
  OrderFormValues values;
  values.account = model_.Text(id::kOrderAccount);
  values.password = model_.Text(id::kOrderPassword);
  values.product = model_.Text(id::kOrderProduct);
  values.price = model_.Text(id::kOrderPrice);
  values.quantity = model_.Text(id::kOrderQuantity);
  values.userField = model_.Text(id::kUserField);
  values.origOrderNo = model_.Text(id::kOrigOrderNo);
  values.designatedPrice = model_.Text(id::kDesignatedPrice);
  values.iocQuantity = model_.Text(id::kIocQuantity);
  values.optionExercise = model_.Text(id::kOptionExercise);
  values.validDate = model_.Text(id::kValidDate);
  values.buySell = ListItemCode(model_.SelectedText(id::kBuySell));
  values.priceType = ListItemCode(model_.SelectedText(id::kPriceType));
  values.fillCondition = ListItemCode(model_.SelectedText(id::kFillCondition));
  values.strategy = ListItemCode(model_.SelectedText(id::kStrategy));

  std::string record;
  const std::optional<Market> market =
      FirstCheckedMarket(model_.IsChecked(id::kDomestic), model_.IsChecked(id::kOverseas),
                         model_.IsChecked(id::kFxMargin));
  if (market) record = ComposeOrder(values, *market, kind.value);
  model_.SetText(id::kOrderRecord, record);
}

}  // namespace zqk
