#pragma once
// The activity window: the requests in flight, the newest finished ones with
// the latency of each page, latency figures per code, and the registered
// feeds, read from the dialog's activity twice a second while it is shown.
// It makes no agent call.

#include <QTimer>
#include <QWidget>
#include <array>

#include "dialog/CZQKCommClientDlg.h"

class QLabel;
class QTableView;

namespace zqk {

class TextTableModel;

enum class ActivityTable { kInFlight, kFinished, kCodes, kQuoteFeeds, kOrderFeeds };

class ActivityWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kRefreshMs = 500;

  ActivityWindow(CZQKCommClientDlg& dlg, QWidget* parent = nullptr);

  // Reads the activity now (the timer does it otherwise).
  void Refresh();
  // Captions in the dialog's display language of the moment.
  void ApplyLanguage();
  const TextTableModel& Table(ActivityTable table) const;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  static constexpr size_t kTables = 5;

  CZQKCommClientDlg& dlg_;
  QTimer timer_;
  std::array<TextTableModel*, kTables> models_{};
  std::array<QLabel*, kTables> titles_{};
};

}  // namespace zqk
