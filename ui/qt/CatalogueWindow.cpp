#include "ui/qt/CatalogueWindow.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qt/ByteWidthValidator.h"
#include "ui/qt/Cp949Text.h"
#include "ui/qt/Cp949Validator.h"
#include "ui/qt/TextTableModel.h"

namespace zqk {
namespace {

QTableView* MakeTable(QWidget* parent, TextTableModel* model) {
  auto* view = new QTableView(parent);
  view->setModel(model);
  view->verticalHeader()->hide();
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->horizontalHeader()->setStretchLastSection(true);
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
  return view;
}

QString Number(size_t n) {
  return QString::number(n);
}

}  // namespace

CatalogueWindow::CatalogueWindow(CZQKCommClientDlg& dlg, QWidget* parent)
    : QWidget(parent, Qt::Window), dlg_(dlg) {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  filter_ = new QLineEdit(this);
  filter_->setClearButtonEnabled(true);
  // Only text the tables can hold: a character CP949 lacks matches nothing.
  filter_->setValidator(new Cp949Validator(false, filter_));
  count_ = new QLabel(this);
  top->addWidget(filter_, 1);
  top->addWidget(count_);
  layout->addLayout(top);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  listModel_ = new TextTableModel(this);
  list_ = MakeTable(splitter, listModel_);
  list_->installEventFilter(this);
  splitter->addWidget(list_);

  auto* details = new QWidget(splitter);
  auto* detailsLayout = new QVBoxLayout(details);
  detailsLayout->setContentsMargins(0, 0, 0, 0);
  title_ = new QLabel(details);
  title_->setWordWrap(true);
  title_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layoutTitle_ = new QLabel(details);
  layoutModel_ = new TextTableModel(this);
  layoutView_ = MakeTable(details, layoutModel_);
  replyTitle_ = new QLabel(details);
  replyModel_ = new TextTableModel(this);
  replyView_ = MakeTable(details, replyModel_);
  formBox_ = new QGroupBox(details);
  auto* formOuter = new QVBoxLayout(formBox_);
  formLayout_ = new QFormLayout;
  formOuter->addLayout(formLayout_);
  auto* useRow = new QHBoxLayout;
  composed_ = new QLabel(formBox_);
  composed_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  composed_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  use_ = new QPushButton(formBox_);
  useRow->addWidget(composed_, 1);
  useRow->addWidget(use_);
  formOuter->addLayout(useRow);
  detailsLayout->addWidget(title_);
  detailsLayout->addWidget(layoutTitle_);
  detailsLayout->addWidget(layoutView_, 2);
  detailsLayout->addWidget(replyTitle_);
  detailsLayout->addWidget(replyView_, 3);
  detailsLayout->addWidget(formBox_);
  splitter->addWidget(details);
  splitter->setStretchFactor(1, 1);
  layout->addWidget(splitter, 1);
  resize(1000, 700);
  splitter->setSizes({420, 580});

  connect(filter_, &QLineEdit::textChanged, this, &CatalogueWindow::ApplyFilter);
  connect(filter_, &QLineEdit::returnPressed, this, &CatalogueWindow::Use);
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &CatalogueWindow::ShowSelected);
  connect(list_, &QTableView::doubleClicked, this, &CatalogueWindow::Use);
  connect(use_, &QPushButton::clicked, this, &CatalogueWindow::Use);
  ApplyLanguage();
}

CatalogueWindow::~CatalogueWindow() = default;

QString CatalogueWindow::Text(std::string_view korean, std::string_view english) const {
  return FromCp949(dlg_.Lang(korean, english));
}

void CatalogueWindow::ApplyLanguage() {
  setWindowTitle(Text("요청 목록", "Request Catalogue"));
  filter_->setPlaceholderText(Text("코드나 이름으로 찾기", "Filter by code or name"));
  listModel_->SetHeaders({Text("코드", "Code"), Text("구분", "Operation"), Text("시장", "Market"),
                          Text("이름", "Name"), Text("디코드", "Decoded")});
  layoutTitle_->setText(Text("입력 레이아웃", "Input layout"));
  replyTitle_->setText(Text("응답", "Reply"));
  layoutModel_->SetHeaders({Text("필드", "Field"), Text("오프셋", "Offset"),
                            Text("바이트", "Bytes"), Text("종류", "Kind"), Text("예시", "Sample"),
                            Text("설명", "Note")});
  replyModel_->SetHeaders({Text("레코드", "Record"), Text("필드", "Field"), Text("바이트", "Bytes"),
                           Text("종류", "Kind")});
  formBox_->setTitle(Text("입력", "Input"));
  use_->setText(Text("사용(&U)", "&Use"));
  shown_ = nullptr;  // the details again, in the language of the moment
  ApplyFilter();
  list_->resizeColumnsToContents();
}

std::vector<std::string> CatalogueWindow::ListedCodes() const {
  std::vector<std::string> codes;
  for (size_t i : listed_) codes.push_back(CatalogueEntries()[i].code);
  return codes;
}

bool CatalogueWindow::Select(std::string_view code) {
  for (size_t row = 0; row < listed_.size(); ++row) {
    if (CatalogueEntries()[listed_[row]].code == code) {
      list_->selectRow(static_cast<int>(row));
      list_->setCurrentIndex(listModel_->index(static_cast<int>(row), 0));
      ShowSelected();
      return true;
    }
  }
  return false;
}

void CatalogueWindow::ApplyFilter() {
  const std::string selected = form_ ? form_->Entry().code : std::string();
  listed_ = FilterCatalogue(ToCp949(filter_->text()));
  const bool korean = dlg_.IsKorean();
  std::vector<QStringList> rows;
  rows.reserve(listed_.size());
  for (size_t i : listed_) {
    const CatalogueEntry& e = CatalogueEntries()[i];
    rows.push_back({FromCp949(e.code), FromCp949(CatalogueKindName(e.kind, korean)),
                    FromCp949(protocol::MarketName(e.market)),
                    FromCp949(korean ? e.nameKo : e.nameEn),
                    e.decoded ? Text("예", "yes") : Text("아니오", "no")});
  }
  listModel_->SetRows(std::move(rows));
  count_->setText(Number(listed_.size()) + QStringLiteral(" / ") +
                  Number(CatalogueEntries().size()));
  // The selection stays on its entry while the entry is listed; otherwise
  // the first entry listed is selected.
  if (listed_.empty()) {
    list_->clearSelection();
    ShowSelected();
  } else if (selected.empty() || !Select(selected)) {
    Select(CatalogueEntries()[listed_.front()].code);
  }
}

void CatalogueWindow::ShowSelected() {
  const int row = list_->currentIndex().row();
  const CatalogueEntry* selected = row < 0 || static_cast<size_t>(row) >= listed_.size()
                                       ? nullptr
                                       : &CatalogueEntries()[listed_[static_cast<size_t>(row)]];
  // A keystroke that keeps the selection leaves the details and the form
  // (and what the user typed in it) as they are.
  if (selected == shown_ && (selected || !form_)) return;
  shown_ = selected;
  if (!selected) {
    form_.reset();
    title_->clear();
    layoutModel_->SetRows({});
    replyModel_->SetRows({});
    BuildForm();
    return;
  }
  const CatalogueEntry& entry = *selected;
  const bool korean = dlg_.IsKorean();
  if (!form_ || &form_->Entry() != &entry) form_ = std::make_unique<CatalogueForm>(entry);

  QString title = QStringLiteral("<b>%1</b>  %2  (%3, %4)")
                      .arg(FromCp949(entry.code).toHtmlEscaped(),
                           FromCp949(korean ? entry.nameKo : entry.nameEn).toHtmlEscaped(),
                           FromCp949(CatalogueKindName(entry.kind, korean)),
                           entry.decoded ? Text("디코드함", "decoded")
                                         : Text("디코드하지 않음", "not decoded"));
  if (!entry.note.empty()) title += QStringLiteral("<br>") + FromCp949(entry.note).toHtmlEscaped();
  title_->setText(title);

  std::vector<QStringList> rows;
  for (const CatalogueField& f : CatalogueLayoutFields(entry)) {
    rows.push_back({FromCp949(f.name), Number(f.offset), Number(f.width),
                    FromCp949(protocol::KindName(f.kind)), FromCp949(f.sample), FromCp949(f.note)});
  }
  layoutModel_->SetRows(std::move(rows));
  layoutTitle_->setText(entry.kind == CatalogueKind::kOrder
                            ? Text("주문 레코드 레이아웃", "Order record layout")
                            : Text("입력 레이아웃", "Input layout"));
  rows.clear();
  for (const CatalogueReplyLine& line : CatalogueReplyLines(entry)) {
    // A record's heading names it; its fields stand under it.
    if (line.field.empty()) {
      rows.push_back({FromCp949(line.part), QString(), line.width ? Number(line.width) : QString(),
                      QString()});
    } else {
      rows.push_back({QString(), FromCp949(line.field), Number(line.width),
                      FromCp949(protocol::KindName(line.kind))});
    }
  }
  replyModel_->SetRows(std::move(rows));
  // Wide enough for a record's heading; measuring every row of a long reply
  // at each selection would cost more than a keystroke may take.
  replyView_->horizontalHeader()->resizeSection(
      0, replyView_->fontMetrics().horizontalAdvance(
             QStringLiteral("block header (a row per row of OutRec1)")));
  BuildForm();
}

void CatalogueWindow::BuildForm() {
  // The edits are kept and reused from entry to entry: making new ones at
  // every selection would cost more than a keystroke may take.
  const size_t count = form_ ? form_->Fields().size() : 0;
  formEdits_.clear();
  use_->setEnabled(form_ && form_->Usable());
  const bool korean = dlg_.IsKorean();
  for (size_t i = 0; i < std::max(count, pool_.size()); ++i) {
    if (i >= count) {
      formLayout_->setRowVisible(static_cast<int>(i), false);
      continue;
    }
    if (i == pool_.size()) {
      auto* edit = new QLineEdit(formBox_);
      validators_.push_back(new ByteWidthValidator(0, edit));
      edit->setValidator(validators_.back());
      connect(edit, &QLineEdit::textChanged, this, [this, i](const QString& text) {
        if (!form_ || filling_ || i >= form_->Fields().size()) return;
        form_->SetValue(i, ToCp949(text));
        UpdateComposed();
      });
      connect(edit, &QLineEdit::returnPressed, this, &CatalogueWindow::Use);
      formLayout_->addRow(new QLabel(formBox_), edit);
      pool_.push_back(edit);
    }
    const FormField& field = form_->Fields()[i];
    QString label = FromCp949(korean ? field.nameKo : field.nameEn);
    if (field.width) {
      label += QStringLiteral(" (%1%2)").arg(field.width).arg(Text("바이트", " bytes"));
    }
    QLineEdit* edit = pool_[i];
    validators_[i]->SetWidth(field.width);
    {
      const QScopedValueRollback filling(filling_, true);
      edit->setText(FromCp949(form_->Values()[i]));
    }
    edit->setToolTip(FromCp949(field.note));
    if (auto* caption = qobject_cast<QLabel*>(formLayout_->labelForField(edit))) {
      caption->setText(label);
    }
    formLayout_->setRowVisible(static_cast<int>(i), true);
    formEdits_.push_back(edit);
  }
  if (form_) {
    UpdateComposed();
  } else {
    composed_->clear();
  }
}

void CatalogueWindow::UpdateComposed() {
  if (!form_) return;
  const CatalogueEntry& entry = form_->Entry();
  switch (entry.kind) {
    case CatalogueKind::kTrQuery:
    case CatalogueKind::kFidQuery: {
      const std::string input = form_->ComposedInput();
      composed_->setText(QStringLiteral("[%1]  %2%3")
                             .arg(FromCp949(input))
                             .arg(input.size())
                             .arg(Text("바이트", " bytes")));
      break;
    }
    case CatalogueKind::kOrder:
      composed_->setText(Text("주문 레코드는 주문적용(Apply Order)이 만듭니다",
                              "Apply Order composes the record"));
      break;
    case CatalogueKind::kMasterFile:
      composed_->setText(Text("마스터파일 버튼으로 요청합니다",
                              "Asked for by the master-file "
                              "buttons"));
      break;
    case CatalogueKind::kRealType:
      composed_->clear();
      break;
  }
}

void CatalogueWindow::Use() {
  if (form_) UseCatalogueForm(dlg_, *form_);
}

bool CatalogueWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Use();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zqk
