// Save Log and Clear Log.
#include <cstring>
#include <string>

#include "dialog/CZQKCommClientDlg.h"
#include "dialog/LogFile.h"
#include "text/Cp949.h"

namespace zqk {

void CZQKCommClientDlg::OnSaveLog() {
  const std::filesystem::path path = LogFilePath();
  const LogSaveResult result = AppendLogToFile(log_, path);
  const std::string shownPath = Utf8ToCp949(path.string());
  switch (result.status) {
    case LogSaveResult::Status::kOk:
      return;
    case LogSaveResult::Status::kOpenFailed:
      AddLog(shownPath + "화일 생성에 실패하였습니다. ");
      return;
    case LogSaveResult::Status::kWriteFailed:
      // The lines stay in the list; the file may hold part of them.
      env_.host->ShowMessageBox(shownPath + " 화일에 쓰는 중 오류가 발생하였습니다: " +
                                    Utf8ToCp949(std::strerror(result.error)),
                                kAppTitle, MessageBoxButtons::kOk, MessageBoxIcon::kExclamation);
      return;
  }
}

void CZQKCommClientDlg::OnClearLog() {
  log_.Clear();
}

}  // namespace zqk
