// The request catalogue over the broker's tables: the filter, the input
// form's byte-width cuts and composition, and the edits that Use fills.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog/CatalogueForm.h"
#include "dialog/RequestCatalogue.h"
#include "protocol/Codes.h"
#include "protocol/RealTypes.h"
#include "protocol/TrCodes.h"
#include "tests/support/FakeHost.h"

namespace zqk {
namespace {

std::vector<std::string> Filtered(std::string_view filter) {
  std::vector<std::string> codes;
  for (size_t i : FilterCatalogue(filter)) codes.push_back(CatalogueEntries()[i].code);
  return codes;
}

TEST(RequestCatalogue, ListsEveryCodeAndRealTypeOnce) {
  EXPECT_EQ(CatalogueEntries().size(),
            protocol::AllCodes().size() + protocol::AllRealTypes().size());
  for (const protocol::CodeInfo& c : protocol::AllCodes()) {
    const CatalogueEntry* e = FindCatalogueEntry(c.code);
    ASSERT_TRUE(e) << c.code;
    EXPECT_EQ(e->codeInfo, &c);
  }
  EXPECT_EQ(FindCatalogueEntry("65")->kind, CatalogueKind::kRealType);
  EXPECT_EQ(FindCatalogueEntry(tr::kMinuteBars)->kind, CatalogueKind::kTrQuery);
  EXPECT_EQ(FindCatalogueEntry(tr::kFxMaster)->kind, CatalogueKind::kFidQuery);
}

struct FilterRow {
  std::string_view filter;
  std::vector<std::string> codes;  // empty: every entry
  bool every = false;
};

TEST(RequestCatalogue, FiltersByCodeOrNameInEitherCase) {
  const FilterRow rows[] = {
      {"o512", {"o51211", "o51200"}},
      {" O512 ", {"o51211", "o51200"}},  // blanks around, letters in either case
      {"분봉", {"o51200"}},              // the Korean name
      {"MINUTE BARS", {"o51200"}},       // the English name
      {"DO1601&", {"g12001.DO1601&"}},   // part of a code
      {"", {}, true},                    // nothing typed: everything
      {"zzzz", {}},                      // nothing matches
      {"\x80", {}},                      // no CP949 text: nothing, and no fault
      {"o51200\n국내", {}},              // never across code and name
  };
  for (const FilterRow& row : rows) {
    const std::vector<std::string> got = Filtered(row.filter);
    if (row.every) {
      EXPECT_EQ(got.size(), CatalogueEntries().size());
    } else {
      EXPECT_EQ(got, row.codes) << row.filter;
    }
  }
}

TEST(CatalogueForm, CutsValuesAtTheirByteWidthAndComposesThePaddedInput) {
  const CatalogueForm sample(*FindCatalogueEntry(tr::kMinuteBars));
  ASSERT_EQ(sample.Fields().size(), 3u);
  EXPECT_EQ(sample.Fields()[0].width, 32u);
  EXPECT_EQ(sample.Values()[0], "ESU16");  // the table's sample
  CatalogueForm form = sample;
  // A Korean character counts two bytes and is never cut in half.
  EXPECT_EQ(form.SetValue(1, "가나"), "가");
  EXPECT_EQ(form.SetValue(1, "12가"), "12");
  EXPECT_EQ(form.SetValue(1, "1가"), "1가");
  EXPECT_EQ(form.SetValue(1, "5"), "5");
  EXPECT_EQ(form.SetValue(2, "12345"), "1234");
  EXPECT_EQ(form.SetValue(0, "NQZ16"), "NQZ16");
  EXPECT_EQ(form.ComposedInput(), "NQZ16" + std::string(27, ' ') + "5  1234");
  EXPECT_EQ(form.FieldNamed("분"), 1u);
  EXPECT_FALSE(form.FieldNamed("nope"));
}

struct UseRow {
  std::string_view code;
  std::optional<ControlId> radio;
  std::vector<ControlId> edits;
};

TEST(CatalogueForm, UseFillsTheEditsOfItsKind) {
  const UseRow rows[] = {
      {tr::kMinuteBars, id::kTrMode, {id::kTrCode, id::kTrInput}},
      {tr::kFxMaster, id::kFidMode, {id::kFidCode, id::kFidInput, id::kFidFieldList}},
      {tr::kDomesticNewOrder, std::nullopt, {id::kOrderTrCode}},
      {"65", std::nullopt, {id::kRealKey, id::kRealType}},
      {"185", std::nullopt, {id::kOrderRealAccount}},
      {tr::kMasterFile, std::nullopt, {}},
  };
  for (const UseRow& row : rows) {
    const CatalogueForm form(*FindCatalogueEntry(row.code));
    EXPECT_EQ(form.RadioToClick(), row.radio) << row.code;
    std::vector<ControlId> ids;
    for (const CatalogueForm::Edit& e : form.Edits()) ids.push_back(e.id);
    EXPECT_EQ(ids, row.edits) << row.code;
    EXPECT_EQ(form.Usable(), !row.edits.empty()) << row.code;
  }
  // The market's own samples: the FX pair's field list and the quote key.
  EXPECT_EQ(CatalogueForm(*FindCatalogueEntry(tr::kFxMaster)).Edits()[2].text, "000001002010");
  EXPECT_EQ(CatalogueForm(*FindCatalogueEntry("65")).Edits()[0].text, "101G3000");
}

TEST(CatalogueForm, UseTypesIntoTheDialogAsAUserWould) {
  test::DialogRig rig;
  rig.dlg().OnInitDialog();
  rig.dlg().Click(id::kFidMode);
  CatalogueForm form(*FindCatalogueEntry(tr::kMinuteBars));
  form.SetValue(1, "1");
  form.SetValue(2, "3");
  UseCatalogueForm(rig.dlg(), form);
  EXPECT_TRUE(rig.model().IsChecked(id::kTrMode));
  EXPECT_TRUE(rig.model().IsEnabled(id::kTrInput));
  EXPECT_FALSE(rig.model().IsEnabled(id::kFidInput));
  EXPECT_EQ(rig.model().Text(id::kTrCode), "o51200");
  EXPECT_EQ(rig.model().Text(id::kTrInput), "ESU16" + std::string(27, ' ') + "1  3   ");
}

}  // namespace
}  // namespace zqk
