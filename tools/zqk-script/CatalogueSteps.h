#pragma once
// The script steps of the request catalogue and the byte ruler:
//
//   catalogue "<filter>"                 the matching entries, one a line
//   use "<code>" "<field>=<value>"...     fills the edits as the catalogue's Use
//   print ruler <id>                      the fields of 1012, 1013 or 1023
//
// A use starts from the entry's sample values, as the catalogue's form does;
// a field is named as the form names it (Korean or English).

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "dialog/ControlId.h"

namespace zqk {
class CZQKCommClientDlg;
}

namespace zqk::script {

struct CatalogueStep {
  std::string filter;  // CP949
};
struct UseStep {
  std::string code;
  std::vector<std::pair<std::string, std::string>> values;  // field name, value (CP949)
};
struct PrintRuler {
  ControlId id;
};

// Why a use step cannot run as written (UTF-8), or empty when it can.
std::string CheckUseStep(const UseStep& step);
// Why a control has no ruler to print, or empty.
std::string CheckRulerControl(ControlId id);

// "## catalogue CODE KIND MARKET DECODED NAME" for each entry that matches.
void RunCatalogueStep(const CatalogueStep& step, const CZQKCommClientDlg& dlg, std::ostream& out);
// "## use ID TEXT" for each edit filled.
void RunUseStep(const UseStep& step, CZQKCommClientDlg& dlg, std::ostream& out);
// "## ruler ID ...", then a "## ruler-field" line a field and a
// "## ruler-warning" line a warning.
void RunPrintRuler(const PrintRuler& step, const CZQKCommClientDlg& dlg, std::ostream& out);

}  // namespace zqk::script
