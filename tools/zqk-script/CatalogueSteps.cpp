#include "tools/zqk-script/CatalogueSteps.h"

#include "dialog/ByteRuler.h"
#include "dialog/CZQKCommClientDlg.h"
#include "dialog/CatalogueForm.h"
#include "dialog/RequestCatalogue.h"
#include "text/Cp949.h"
#include "text/Cp949Bytes.h"
#include "tools/zqk-script/Script.h"
#include "tools/zqk-script/ScriptHost.h"

namespace zqk::script {
namespace {

// A market as one word of the output.
std::string MarketWord(std::optional<Market> market) {
  std::string word(protocol::MarketName(market));
  for (char& c : word) {
    if (c == ' ') c = '-';
  }
  return word;
}

// A field's bytes quoted: a character that is no CP949 text (half of a
// double-byte character cut by the field's boundary) as \xHH.
std::string QuoteFieldText(std::string_view text) {
  std::string out = "\"";
  for (size_t at = 0; at < text.size();) {
    const size_t length = Cp949CharLength(text, at);
    const std::string_view character = text.substr(at, length);
    at += length;
    const std::string quoted = QuoteForOutput(character);
    if (Utf8ToCp949Strict(Cp949ToUtf8(character)) == std::string(character)) {
      out.append(quoted, 1, quoted.size() - 2);
      continue;
    }
    for (const char c : character) {
      static constexpr char kHex[] = "0123456789abcdef";
      const auto byte = static_cast<unsigned char>(c);
      out.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 15]);
    }
  }
  return out + "\"";
}

}  // namespace

std::string CheckUseStep(const UseStep& step) {
  const CatalogueEntry* entry = FindCatalogueEntry(step.code);
  if (!entry) return "no code " + QuoteForOutput(step.code) + " in the catalogue";
  const CatalogueForm form(*entry);
  if (!form.Usable()) return QuoteForOutput(step.code) + " has no edits to fill";
  for (const auto& [name, value] : step.values) {
    if (!form.FieldNamed(name)) {
      return QuoteForOutput(step.code) + " has no field " + QuoteForOutput(name);
    }
  }
  return {};
}

std::string CheckRulerControl(ControlId id) {
  if (HasByteRuler(id)) return {};
  return "control " + std::to_string(id.value) + " has no byte ruler (1012, 1013, 1023 have)";
}

void RunCatalogueStep(const CatalogueStep& step, const CZQKCommClientDlg& dlg, std::ostream& out) {
  const bool korean = dlg.IsKorean();
  for (size_t i : FilterCatalogue(step.filter)) {
    const CatalogueEntry& e = CatalogueEntries()[i];
    out << kOutputPrefix << "catalogue " << QuoteForOutput(e.code) << ' '
        << CatalogueKindWord(e.kind) << ' ' << MarketWord(e.market) << ' '
        << (e.decoded ? "decoded" : "not-decoded") << ' '
        << QuoteForOutput(korean ? e.nameKo : e.nameEn) << '\n';
  }
}

void RunUseStep(const UseStep& step, CZQKCommClientDlg& dlg, std::ostream& out) {
  CatalogueForm form(*FindCatalogueEntry(step.code));
  for (const auto& [name, value] : step.values) form.SetValue(*form.FieldNamed(name), value);
  UseCatalogueForm(dlg, form);
  for (const CatalogueForm::Edit& edit : form.Edits()) {
    out << kOutputPrefix << "use " << edit.id.value << ' ' << QuoteForOutput(edit.text) << '\n';
  }
}

void RunPrintRuler(const PrintRuler& step, const CZQKCommClientDlg& dlg, std::ostream& out) {
  const RulerReading r = *ReadRuler(dlg.Model(), step.id);
  const bool korean = dlg.IsKorean();
  out << kOutputPrefix << "ruler " << step.id.value << " code=" << QuoteForOutput(r.code);
  if (!r.hasLayout) {
    out << " no-layout bytes=" << r.textLength << '\n';
    return;
  }
  if (!r.layoutName.empty()) out << " layout=" << QuoteForOutput(r.layoutName);
  out << " bytes=" << r.textLength << '/' << r.layoutLength << '\n';
  for (const RulerField& f : r.fields) {
    out << kOutputPrefix << "ruler-field offset=" << f.offset << " width=" << f.width;
    if (f.name.empty()) {
      out << " reserved";
    } else {
      out << " kind=" << protocol::KindName(f.kind) << " name=" << QuoteForOutput(f.name);
    }
    out << " text=" << QuoteFieldText(f.text) << '\n';
  }
  for (const RulerWarning& w : r.warnings) {
    out << kOutputPrefix << "ruler-warning " << QuoteForOutput(RulerWarningText(r, w, korean))
        << '\n';
  }
}

}  // namespace zqk::script
