#include "dialog/ControlModel.h"

namespace zqk {
namespace {
const ControlState kMissing{};
}

ControlModel::ControlModel(const DialogTemplate& dialog) : dialog_(&dialog) {
  for (const ControlTemplate& c : dialog.controls) {
    if (c.id == kStaticId) continue;
    ControlState& s = states_[c.id];
    if (c.kind != ControlKind::kEdit && c.kind != ControlKind::kDropDownList &&
        c.kind != ControlKind::kListBox) {
      s.text = c.caption;
    }
  }
}

ControlState* ControlModel::Find(ControlId id) {
  auto it = states_.find(id);
  return it == states_.end() ? nullptr : &it->second;
}

const ControlState& ControlModel::Get(ControlId id) const {
  auto it = states_.find(id);
  return it == states_.end() ? kMissing : it->second;
}

void ControlModel::Notify(ControlId id, ControlChange change) const {
  if (listener_) listener_(id, change);
}

const std::string& ControlModel::Text(ControlId id) const {
  return Get(id).text;
}

void ControlModel::SetText(ControlId id, std::string_view text) {
  ControlState* s = Find(id);
  if (!s || s->text == text) return;
  s->text.assign(text);
  Notify(id, ControlChange::kText);
}

bool ControlModel::IsChecked(ControlId id) const {
  return Get(id).checked;
}

void ControlModel::SetChecked(ControlId id, bool checked) {
  ControlState* s = Find(id);
  if (!s || s->checked == checked) return;
  s->checked = checked;
  Notify(id, ControlChange::kChecked);
}

bool ControlModel::IsEnabled(ControlId id) const {
  return Get(id).enabled;
}

void ControlModel::SetEnabled(ControlId id, bool enabled) {
  ControlState* s = Find(id);
  if (!s || s->enabled == enabled) return;
  s->enabled = enabled;
  Notify(id, ControlChange::kEnabled);
}

bool ControlModel::IsVisible(ControlId id) const {
  return Get(id).visible;
}

void ControlModel::SetVisible(ControlId id, bool visible) {
  ControlState* s = Find(id);
  if (!s || s->visible == visible) return;
  s->visible = visible;
  Notify(id, ControlChange::kVisible);
}

const std::vector<std::string>& ControlModel::Items(ControlId id) const {
  return Get(id).items;
}

void ControlModel::ResetContent(ControlId id) {
  ControlState* s = Find(id);
  if (!s) return;
  s->items.clear();
  s->selected = kNoSelection;
  Notify(id, ControlChange::kItems);
}

void ControlModel::AddItem(ControlId id, std::string_view item) {
  ControlState* s = Find(id);
  if (!s) return;
  s->items.emplace_back(item);
  Notify(id, ControlChange::kItems);
}

ListIndex ControlModel::Selected(ControlId id) const {
  return Get(id).selected;
}

void ControlModel::SetSelected(ControlId id, ListIndex index) {
  ControlState* s = Find(id);
  if (!s) return;
  if (index.value < 0 || static_cast<size_t>(index.value) >= s->items.size()) index = kNoSelection;
  if (s->selected == index) return;
  s->selected = index;
  Notify(id, ControlChange::kSelection);
}

std::string ControlModel::SelectedText(ControlId id) const {
  const ControlState& s = Get(id);
  if (!s.selected.IsValid()) return {};
  return s.items[static_cast<size_t>(s.selected.value)];
}

std::vector<ControlId> ControlModel::RadioGroup(ControlId id) const {
  // A group runs from a group-start radio button over the radio buttons that
  // follow it in template order, up to the next group start or other control.
  std::vector<ControlId> group;
  bool found = false;
  for (const ControlTemplate& c : dialog_->controls) {
    const bool isRadio = c.kind == ControlKind::kRadioButton;
    if (!isRadio || c.Has(kGroupStart)) {
      if (found) break;
      group.clear();
    }
    if (!isRadio) continue;
    group.push_back(c.id);
    if (c.id == id) found = true;
  }
  if (!found) group.clear();
  return group;
}

void ControlModel::ApplyClick(ControlId id) {
  const ControlTemplate* t = Template(id);
  if (!t || t->kind != ControlKind::kRadioButton) return;
  for (ControlId member : RadioGroup(id)) SetChecked(member, member == id);
}

}  // namespace zqk
