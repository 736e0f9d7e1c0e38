// TEMPORARY stubs so that the core links while the market, order-form and
// language handlers are written; this file is deleted when they land.
#include "ui/CZQKCommClientDlg.h"

namespace zqk {
void CZQKCommClientDlg::OnDomestic() {}
void CZQKCommClientDlg::OnOverseas() {}
void CZQKCommClientDlg::OnFxMargin() {}
void CZQKCommClientDlg::OnOrderTrChange() {}
void CZQKCommClientDlg::OnApplyOrder() {}
void CZQKCommClientDlg::OnLanguage() {}
void CZQKCommClientDlg::ApplyLanguage() {}
void CZQKCommClientDlg::FillOrderTrCombo() {}
void CZQKCommClientDlg::ShowStrategyFields(bool) {}
}  // namespace zqk
