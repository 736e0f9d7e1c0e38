// Enter and Escape would end the dialog through OK and Cancel, as the dialog
// manager does; they ask first, so that a key pressed after typing a price
// does not sign out and drop every line not yet saved.
#include "dialog/CZQKCommClientDlg.h"
#include "dialog/SessionStepScope.h"

namespace zqk {

bool CZQKCommClientDlg::ConfirmExit() {
  return env_.host->ShowMessageBox(Lang("종료할까요?", "Exit the console?"), kAppTitle,
                                   MessageBoxButtons::kYesNoDefaultNo,
                                   MessageBoxIcon::kQuestion) == MessageBoxResult::kYes;
}

void CZQKCommClientDlg::OnEnterKey() {
  if (destroyed_) return;
  const StepScope step(*this, {.kind = StepKind::kEnter});
  if (!ConfirmExit()) return;
  OnOK();
}

void CZQKCommClientDlg::OnEscapeKey() {
  if (destroyed_) return;
  const StepScope step(*this, {.kind = StepKind::kEscape});
  if (!ConfirmExit()) return;
  OnCancel();
}

}  // namespace zqk
