#include "dialog/CatalogueForm.h"

#include "dialog/CZQKCommClientDlg.h"
#include "protocol/QueryInputs.h"
#include "protocol/Replies.h"
#include "requests/MarketSamples.h"
#include "text/Cp949Bytes.h"

namespace zqk {
namespace {

constexpr FormField kFieldListField{FormFieldRole::kFieldList,
                                    "필드목록",
                                    "Field list",
                                    0,
                                    protocol::FieldKind::kDigits,
                                    "three-digit field numbers of the reply's first record"};
constexpr FormField kRealKeyField{
    FormFieldRole::kRealKey,          "종목", "Key", 0, protocol::FieldKind::kCode,
    "the product or pair of the feed"};
constexpr FormField kAccountField{
    FormFieldRole::kAccount,        "계좌번호", "Account", 0, protocol::FieldKind::kAccount,
    "the account of the order feed"};

bool IsOrderFeed(const CatalogueEntry& entry) {
  return entry.realType && entry.realType->feed == protocol::RealFeed::kOrder;
}

// The market whose samples stand for an entry shared by markets.
Market SampleMarket(const CatalogueEntry& entry) {
  if (entry.market) return *entry.market;
  return IsOrderFeed(entry) ? Market::kOverseas : Market::kDomestic;
}

// The market's own field list where its FID sample is this code, else one
// that asks for every field of the reply's first record.
std::string SampleFieldList(const CatalogueEntry& entry) {
  const Market market = SampleMarket(entry);
  if (MarketSample(market, SampleField::kFidCode) == entry.code) {
    return std::string(MarketSample(market, SampleField::kFidFieldList));
  }
  const protocol::ReplyLayout* reply = protocol::ReplyLayoutOf(entry.code);
  if (!reply || reply->records.empty()) return {};
  return FieldNumberList(static_cast<int>(reply->records[0].fields.size()) - 1);
}

std::string SampleKey(const CatalogueEntry& entry) {
  if (entry.realType->realType == real::kServerClock) return std::string(real::kServerClockKey);
  return std::string(MarketSample(SampleMarket(entry), SampleField::kRealKey));
}

}  // namespace

CatalogueForm::CatalogueForm(const CatalogueEntry& entry) : entry_(&entry) {
  switch (entry.kind) {
    case CatalogueKind::kTrQuery:
    case CatalogueKind::kFidQuery: {
      const protocol::InputLayout* layout = protocol::InputLayoutOf(entry.code);
      if (layout) {
        const std::vector<std::string_view> samples = protocol::ParseInput(*layout, layout->sample);
        for (size_t i = 0; i < layout->fields.size(); ++i) {
          const protocol::InputField& f = layout->fields[i];
          fields_.push_back({FormFieldRole::kInput, f.name, f.name, f.width, f.kind, f.note});
          values_.emplace_back(samples[i]);
        }
      }
      if (entry.kind == CatalogueKind::kFidQuery) {
        fields_.push_back(kFieldListField);
        values_.push_back(SampleFieldList(entry));
      }
      break;
    }
    case CatalogueKind::kRealType:
      if (IsOrderFeed(entry)) {
        fields_.push_back(kAccountField);
        values_.emplace_back(MarketSample(SampleMarket(entry), SampleField::kOrderRealAccount));
      } else {
        fields_.push_back(kRealKeyField);
        values_.push_back(SampleKey(entry));
      }
      break;
    case CatalogueKind::kOrder:
    case CatalogueKind::kMasterFile:
      break;
  }
}

const std::string& CatalogueForm::SetValue(size_t field, std::string_view value) {
  const size_t width = fields_.at(field).width;
  values_[field] = width ? Cp949Prefix(value, width) : value;
  return values_[field];
}

std::optional<size_t> CatalogueForm::FieldNamed(std::string_view name) const {
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].nameKo == name || fields_[i].nameEn == name) return i;
  }
  return std::nullopt;
}

std::string CatalogueForm::ComposedInput() const {
  const protocol::InputLayout* layout = protocol::InputLayoutOf(entry_->code);
  if (!layout) return {};
  std::vector<std::string_view> values;
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].role == FormFieldRole::kInput) values.push_back(values_[i]);
  }
  return protocol::ComposeInput(*layout, values);
}

std::string CatalogueForm::ValueOf(FormFieldRole role) const {
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].role == role) return values_[i];
  }
  return {};
}

bool CatalogueForm::Usable() const {
  return entry_->kind != CatalogueKind::kMasterFile;
}

std::optional<ControlId> CatalogueForm::RadioToClick() const {
  switch (entry_->kind) {
    case CatalogueKind::kTrQuery:
      return id::kTrMode;
    case CatalogueKind::kFidQuery:
      return id::kFidMode;
    default:
      return std::nullopt;
  }
}

std::vector<CatalogueForm::Edit> CatalogueForm::Edits() const {
  switch (entry_->kind) {
    case CatalogueKind::kTrQuery:
      return {{id::kTrCode, entry_->code}, {id::kTrInput, ComposedInput()}};
    case CatalogueKind::kFidQuery:
      return {{id::kFidCode, entry_->code},
              {id::kFidInput, ComposedInput()},
              {id::kFidFieldList, ValueOf(FormFieldRole::kFieldList)}};
    case CatalogueKind::kOrder:
      return {{id::kOrderTrCode, entry_->code}};
    case CatalogueKind::kRealType:
      if (IsOrderFeed(*entry_)) return {{id::kOrderRealAccount, ValueOf(FormFieldRole::kAccount)}};
      return {{id::kRealKey, ValueOf(FormFieldRole::kRealKey)}, {id::kRealType, entry_->code}};
    case CatalogueKind::kMasterFile:
      break;
  }
  return {};
}

void UseCatalogueForm(CZQKCommClientDlg& dlg, const CatalogueForm& form) {
  if (!form.Usable() || dlg.Destroyed()) return;
  if (const std::optional<ControlId> radio = form.RadioToClick();
      radio && !dlg.Model().IsChecked(*radio)) {
    dlg.Click(*radio);
  }
  for (const CatalogueForm::Edit& edit : form.Edits()) dlg.EditText(edit.id, edit.text);
}

}  // namespace zqk
