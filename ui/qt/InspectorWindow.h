#pragma once
// The reply inspector's window: while it is open the dialog reads every reply
// and real-time record in full (dialog/ReplyInspector.h); the list shows them
// newest first, and the selected one is shown record by record, row by row,
// field by field, with its block, its raw data and the notes where they part
// from the layout. Fields, rows and replies copy as text; a reply saves as
// JSON.

#include <QAbstractTableModel>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "dialog/CZQKCommClientDlg.h"

class QLabel;
class QPushButton;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

namespace zqk {

// The inspector's entries as a list, newest first; only the rows on screen
// are asked for. Refresh inserts the new entries at the top and removes the
// dropped ones at the end, so that the selection stays on its entry.
class InspectorListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  InspectorListModel(CZQKCommClientDlg& dlg, QObject* parent);

  void Refresh();
  void ApplyLanguage();
  // Null when the row's entry has gone.
  const InspectorEntry* EntryAt(int row) const;
  int RowOf(uint64_t serial) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  CZQKCommClientDlg& dlg_;
  int count_ = 0;
  uint64_t newest_ = 0;  // serial of row 0
  QStringList headers_;
};

class InspectorWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kRefreshMs = 250;
  // Rows of a part and bytes of a dump the tree shows; copy and JSON hold all.
  static constexpr int kShownRows = 2'000;
  static constexpr int kShownDumpLines = 4'096;
  static constexpr int kShownValueChars = 2'000;

  InspectorWindow(CZQKCommClientDlg& dlg, QWidget* parent = nullptr);

  void Refresh();
  void ApplyLanguage();
  // Selects the entry n (0 the newest) and shows it.
  void Select(int n);
  // The selected field, row or part (the whole reply with nothing below it
  // selected) as text; the whole reply.
  QString SelectionText() const;
  QString ReplyText() const;
  void CopySelection();
  void CopyReply();
  bool SaveJson(const QString& path);
  // Asks for a file (a test sets this instead of the file dialog).
  std::function<QString()> chooseJsonFile;

  const InspectorListModel& List() const { return *model_; }
  QTableView* ListView() const { return list_; }
  QTreeWidget* Detail() const { return detail_; }
  QLabel* Status() const { return status_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void ShowSelected();
  const InspectorEntry* Selected() const;
  inspect::Language Language() const;

  CZQKCommClientDlg& dlg_;
  QTimer timer_;
  InspectorListModel* model_ = nullptr;
  QTableView* list_ = nullptr;
  QTreeWidget* detail_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* copyReply_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* clear_ = nullptr;
  uint64_t shownSerial_ = 0;
  bool refreshing_ = false;
};

}  // namespace zqk
