#pragma once
// The request catalogue: every code and real type of the broker's tables,
// narrowed as the filter is typed; for the selected one its input layout,
// its reply and an input form whose Use fills the dialog's edits as a user
// would type them. It makes no agent call.

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "dialog/CZQKCommClientDlg.h"
#include "dialog/CatalogueForm.h"

class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace zqk {

class ByteWidthValidator;
class TextTableModel;

class CatalogueWindow : public QWidget {
  Q_OBJECT
 public:
  CatalogueWindow(CZQKCommClientDlg& dlg, QWidget* parent = nullptr);
  ~CatalogueWindow() override;

  QLineEdit* FilterEdit() const { return filter_; }
  QTableView* List() const { return list_; }
  const TextTableModel& ListModel() const { return *listModel_; }
  const TextTableModel& LayoutModel() const { return *layoutModel_; }
  const TextTableModel& ReplyModel() const { return *replyModel_; }
  // The form's edits, one a field, in the form's order.
  const std::vector<QLineEdit*>& FormEdits() const { return formEdits_; }
  QLabel* Composed() const { return composed_; }
  QPushButton* UseButton() const { return use_; }
  // The codes listed, in order.
  std::vector<std::string> ListedCodes() const;
  // Selects the listed entry of `code`; false when it is not listed.
  bool Select(std::string_view code);
  const CatalogueForm* Form() const { return form_.get(); }

  // Fills the dialog's edits from the form.
  void Use();
  // Captions in the dialog's display language of the moment.
  void ApplyLanguage();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyFilter();
  void ShowSelected();
  void BuildForm();
  void UpdateComposed();
  QString Text(std::string_view korean, std::string_view english) const;

  CZQKCommClientDlg& dlg_;
  QLineEdit* filter_ = nullptr;
  QLabel* count_ = nullptr;
  QTableView* list_ = nullptr;
  TextTableModel* listModel_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* layoutTitle_ = nullptr;
  QLabel* replyTitle_ = nullptr;
  QTableView* layoutView_ = nullptr;
  QTableView* replyView_ = nullptr;
  TextTableModel* layoutModel_ = nullptr;
  TextTableModel* replyModel_ = nullptr;
  QGroupBox* formBox_ = nullptr;
  QFormLayout* formLayout_ = nullptr;
  std::vector<QLineEdit*> formEdits_;
  // Every edit made so far; the form shows the first ones it needs.
  std::vector<QLineEdit*> pool_;
  std::vector<ByteWidthValidator*> validators_;
  // Set while the form writes its own values into its edits.
  bool filling_ = false;
  QLabel* composed_ = nullptr;
  QPushButton* use_ = nullptr;
  // The entries listed (indices of CatalogueEntries) and the form of the
  // selected one.
  std::vector<size_t> listed_;
  std::unique_ptr<CatalogueForm> form_;
  // The entry whose details and form are shown.
  const CatalogueEntry* shown_ = nullptr;
};

}  // namespace zqk
