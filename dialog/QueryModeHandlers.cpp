// TR and FID query modes: which of the query edits take input.
#include "dialog/CZQKCommClientDlg.h"

namespace zqk {

void CZQKCommClientDlg::OnTrMode() {
  model_.SetEnabled(id::kTrCode, true);
  model_.SetEnabled(id::kTrInput, true);
  model_.SetEnabled(id::kFidCode, false);
  model_.SetEnabled(id::kFidInput, false);
  model_.SetEnabled(id::kFidFieldList, false);
}

void CZQKCommClientDlg::OnFidMode() {
  model_.SetEnabled(id::kTrCode, false);
  model_.SetEnabled(id::kTrInput, false);
  model_.SetEnabled(id::kFidCode, true);
  model_.SetEnabled(id::kFidInput, true);
  model_.SetEnabled(id::kFidFieldList, true);
}

}  // namespace zqk
