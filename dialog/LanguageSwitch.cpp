// The KOR/ENG switch: captions and list items follow radio 1068.
#include "dialog/CZQKCommClientDlg.h"
#include "dialog/LanguageTables.h"

namespace zqk {

void CZQKCommClientDlg::OnLanguage() {
  ApplyLanguage();
}

void CZQKCommClientDlg::ApplyLanguage() {
  const bool korean = IsKorean();
  for (const CaptionPair& c : LanguageCaptions()) model_.SetText(c.id, c.In(korean));
  for (const LanguageList& list : LanguageLists()) {
    model_.ResetContent(list.id);
    for (std::string_view item : list.In(korean)) model_.AddItem(list.id, item);
    model_.SetSelected(list.id, ListIndex{0});
  }
  // The order TR code edit 1022 keeps its code: a switch is no change of order kind.
  FillOrderTrCombo();
}

}  // namespace zqk
