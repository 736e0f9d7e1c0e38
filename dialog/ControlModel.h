#pragma once
// The state of every control of a dialog: the one source of truth that the
// handlers read and write by control ID and that a view mirrors.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dialog/DialogTemplate.h"

namespace zqk {

struct ControlState {
  std::string text;  // caption of a button or label, text of an edit (CP949)
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  std::vector<std::string> items;  // drop-down lists
  ListIndex selected = kNoSelection;
};

enum class ControlChange { kText, kChecked, kEnabled, kVisible, kItems, kSelection };

class ControlModel {
 public:
  using Listener = std::function<void(ControlId, ControlChange)>;

  explicit ControlModel(const DialogTemplate& dialog);

  const DialogTemplate& Dialog() const { return *dialog_; }
  bool Has(ControlId id) const { return states_.contains(id); }
  // The template entry of a control of this dialog; nullptr for an unknown ID.
  const ControlTemplate* Template(ControlId id) const { return dialog_->Find(id); }

  // Unknown IDs read as an empty, unchecked, enabled, visible control and
  // ignore writes, as the platform's calls on a missing child window do.
  const std::string& Text(ControlId id) const;
  void SetText(ControlId id, std::string_view text);

  bool IsChecked(ControlId id) const;
  void SetChecked(ControlId id, bool checked);

  bool IsEnabled(ControlId id) const;
  void SetEnabled(ControlId id, bool enabled);

  bool IsVisible(ControlId id) const;
  void SetVisible(ControlId id, bool visible);

  const std::vector<std::string>& Items(ControlId id) const;
  void ResetContent(ControlId id);
  void AddItem(ControlId id, std::string_view item);
  ListIndex Selected(ControlId id) const;
  // Programmatic selection: raises no selection-change command. An index out of
  // range clears the selection.
  void SetSelected(ControlId id, ListIndex index);
  // Text of the selected item, or empty with no selection.
  std::string SelectedText(ControlId id) const;

  // The check-state part of a user's click: an automatic radio button becomes
  // checked and the other buttons of its group unchecked. The caller then runs
  // the command of the click.
  void ApplyClick(ControlId id);
  // The radio buttons of the group that `id` belongs to, in template order.
  std::vector<ControlId> RadioGroup(ControlId id) const;

  // Called after every change of a control's state; one listener (the view).
  void SetListener(Listener listener) { listener_ = std::move(listener); }

 private:
  ControlState* Find(ControlId id);
  const ControlState& Get(ControlId id) const;
  void Notify(ControlId id, ControlChange change) const;

  const DialogTemplate* dialog_;
  std::unordered_map<ControlId, ControlState> states_;
  Listener listener_;
};

}  // namespace zqk
