#pragma once
// A user step from its arrival at the dialog to the end of its handling:
// recorded and matched against a replay on arrival, unless it arrives within
// another step's handling (Enter, once confirmed, ends the dialog through OK).

#include "agent/SessionEntry.h"
#include "dialog/CZQKCommClientDlg.h"

namespace zqk {

class CZQKCommClientDlg::StepScope {
 public:
  StepScope(CZQKCommClientDlg& dlg, const RecordedStep& step) : dlg_(dlg) {
    if (dlg_.stepDepth_++ == 0) dlg_.TapStep(step);
  }
  ~StepScope() { --dlg_.stepDepth_; }
  StepScope(const StepScope&) = delete;
  StepScope& operator=(const StepScope&) = delete;

 private:
  CZQKCommClientDlg& dlg_;
};

}  // namespace zqk
