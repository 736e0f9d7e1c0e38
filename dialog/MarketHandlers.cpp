// The market radios and the order-kind list: each market fills the dialog with
// its sample requests and pick lists; the order kind picks the order TR code
// and the fields the form shows.
#include "dialog/CZQKCommClientDlg.h"
#include "dialog/LanguageTables.h"
#include "dialog/SampleControls.h"
#include "protocol/OrderLayouts.h"
#include "requests/MarketSamples.h"

namespace zqk {
namespace {

void WriteSamples(ControlModel& model, Market market) {
  for (const SampleText& s : MarketSamples(market)) model.SetText(SampleControl(s.field), s.text);
}

void FillList(ControlModel& model, ControlId list, std::span<const std::string_view> items) {
  model.ResetContent(list);
  for (std::string_view item : items) model.AddItem(list, item);
  model.SetSelected(list, ListIndex{0});
}

void FillPickLists(ControlModel& model, Market market) {
  for (const PickList& list : MarketPickLists(market)) {
    FillList(model, PickListControl(list.field), list.items);
  }
}

std::optional<Market> CheckedMarket(const ControlModel& model) {
  return FirstCheckedMarket(model.IsChecked(id::kDomestic), model.IsChecked(id::kOverseas),
                            model.IsChecked(id::kFxMargin));
}

}  // namespace

void CZQKCommClientDlg::OnDomestic() {
  WriteSamples(model_, Market::kDomestic);
  FillPickLists(model_, Market::kDomestic);
  FillOrderTrCombo();
  model_.SetSelected(id::kOrderKind, ListIndex{0});
  ShowStrategyFields(false);
}

void CZQKCommClientDlg::OnOverseas() {
  WriteSamples(model_, Market::kOverseas);
  FillPickLists(model_, Market::kOverseas);
  ShowStrategyFields(true);
}

void CZQKCommClientDlg::OnFxMargin() {
  WriteSamples(model_, Market::kFxMargin);
  ShowStrategyFields(false);
  // Only the order kinds: 1048 and 1049 keep what the previous market put there.
  FillPickLists(model_, Market::kFxMargin);
}

void CZQKCommClientDlg::FillOrderTrCombo() {
  if (!model_.IsChecked(id::kDomestic)) return;
  const LanguageList& kinds = DomesticOrderKinds();
  FillList(model_, kinds.id, kinds.In(IsKorean()));
}

void CZQKCommClientDlg::ShowStrategyFields(bool show) {
  for (int i = 0; i < 5; ++i) {
    model_.SetVisible(ControlId{id::kStrategyLabel.value + i}, show);
    model_.SetVisible(ControlId{id::kStrategy.value + i}, show);
  }
}

void CZQKCommClientDlg::OnOrderTrChange() {
  model_.SetVisible(id::kOrigOrderNo, true);
  model_.SetVisible(id::kOrigOrderNoLabel, true);
  ShowStrategyFields(false);
  if (model_.IsChecked(id::kOverseas)) ShowStrategyFields(true);

  const std::optional<OrderKind> kind = OrderKindAt(model_.Selected(id::kOrderKind).value);
  // A new order has no earlier order to name.
  if (kind == OrderKind::kNew || kind == OrderKind::kCmeNew) {
    model_.SetVisible(id::kOrigOrderNo, false);
    model_.SetVisible(id::kOrigOrderNoLabel, false);
  }

  const std::optional<Market> market = CheckedMarket(model_);
  if (!kind || !market) return;
  const std::optional<std::string_view> code = OrderTrCode(*market, *kind);
  if (!code) return;
  model_.SetText(id::kOrderTrCode, *code);
}

}  // namespace zqk
