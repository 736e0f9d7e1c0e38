#pragma once
// The input form of a catalogue entry and its Use: the values a user types
// for the entry's fields, the text they compose, and the dialog's edits that
// Use fills with it, as a user would type them, so that the next RqTest (or
// AddReal, or Send Order) sends exactly that.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/ControlId.h"
#include "dialog/RequestCatalogue.h"

namespace zqk {

class CZQKCommClientDlg;

// What a value of the form stands for.
enum class FormFieldRole : uint8_t {
  kInput,      // a field of the query's input layout
  kFieldList,  // the FID query's field list (three-digit field numbers)
  kRealKey,    // the quote feed's key
  kAccount,    // the order feed's account
};

struct FormField {
  FormFieldRole role = FormFieldRole::kInput;
  std::string_view nameKo;  // CP949
  std::string_view nameEn;
  // Bytes the value may take; 0: no limit.
  size_t width = 0;
  protocol::FieldKind kind = protocol::FieldKind::kText;
  std::string_view note;
};

class CatalogueForm {
 public:
  // The form of `entry`, its values the samples the tables and the market
  // samples give.
  explicit CatalogueForm(const CatalogueEntry& entry);

  const CatalogueEntry& Entry() const { return *entry_; }
  const std::vector<FormField>& Fields() const { return fields_; }
  const std::vector<std::string>& Values() const { return values_; }

  // Sets a value as its edit holds it: cut before the first character that
  // does not fit the field's width whole. Returns what was kept.
  const std::string& SetValue(size_t field, std::string_view value);
  // The field named `name` (Korean or English); nullopt when none is.
  std::optional<size_t> FieldNamed(std::string_view name) const;

  // The query input the values compose: each value fitted to its field, the
  // bytes between and after them blank, the layout's length in all. Empty
  // for an entry with no input layout.
  std::string ComposedInput() const;
  // Whether Use has edits to fill: false for a master file, which its own
  // buttons ask for.
  bool Usable() const;
  // The edits Use fills, in the order a user would type them, and the radio
  // button it clicks first (none: no radio).
  struct Edit {
    ControlId id;
    std::string text;
  };
  std::optional<ControlId> RadioToClick() const;
  std::vector<Edit> Edits() const;

 private:
  std::string ValueOf(FormFieldRole role) const;

  const CatalogueEntry* entry_;
  std::vector<FormField> fields_;
  std::vector<std::string> values_;
};

// Fills the dialog as the user would: clicks the query-mode radio when it is
// not already checked, then types each edit. No agent call is made.
void UseCatalogueForm(CZQKCommClientDlg& dlg, const CatalogueForm& form);

}  // namespace zqk
