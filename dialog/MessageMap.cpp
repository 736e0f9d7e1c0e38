// The dialog's message map: which handler runs for which control notification.
#include <array>

#include "dialog/CZQKCommClientDlg.h"

namespace zqk {

std::span<const CZQKCommClientDlg::MessageMapEntry> CZQKCommClientDlg::MessageMap() {
  using D = CZQKCommClientDlg;
  using enum Notification;
  static constexpr std::array<MessageMapEntry, 27> kMap{{
      {id::kLogin, kClicked, &D::OnLogin},
      {id::kLogout, kClicked, &D::OnLogout},
      {id::kConnect, kClicked, &D::OnConnect},
      {id::kDisconnect, kClicked, &D::OnDisconnect},
      {id::kRqTest, kClicked, &D::OnRqTest},
      {id::kTrMode, kClicked, &D::OnTrMode},
      {id::kFidMode, kClicked, &D::OnFidMode},
      {id::kDomestic, kClicked, &D::OnDomestic},
      {id::kOverseas, kClicked, &D::OnOverseas},
      {id::kFxMargin, kClicked, &D::OnFxMargin},
      {id::kOrderKind, kSelectionChanged, &D::OnOrderTrChange},
      {id::kApplyOrder, kClicked, &D::OnApplyOrder},
      {id::kKorean, kClicked, &D::OnLanguage},
      {id::kEnglish, kClicked, &D::OnLanguage},
      {id::kSaveLog, kClicked, &D::OnSaveLog},
      {id::kClearLog, kClicked, &D::OnClearLog},
      {id::kRealRegister, kClicked, &D::OnRealRegister},
      {id::kRealUnregister, kClicked, &D::OnRealUnregister},
      {id::kSendOrder, kClicked, &D::OnSendOrder},
      {id::kOrderRealRegister, kClicked, &D::OnOrderRealRegister},
      {id::kOrderRealUnregister, kClicked, &D::OnOrderRealUnregister},
      {id::kOverseasAllMst, kClicked, &D::OnOverseasAllMst},
      {id::kOverseasFuturesMst, kClicked, &D::OnOverseasFuturesMst},
      {id::kOverseasOptionMst, kClicked, &D::OnOverseasOptionMst},
      {id::kDomesticTDays, kClicked, &D::OnDomesticTDays},
      {id::kOverseasTDays, kClicked, &D::OnOverseasTDays},
      {id::kGetInfoTest, kClicked, &D::OnGetInfoTest},
  }};
  return kMap;
}

}  // namespace zqk
