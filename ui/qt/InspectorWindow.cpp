#include "ui/qt/InspectorWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>

#include "ui/qt/Cp949Text.h"
#include "ui/qt/InspectorJson.h"

namespace zqk {
namespace {

struct Caption {
  std::string_view korean;
  std::string_view english;
};

constexpr std::array<Caption, 7> kListHeaders{{
    {"시각", "Time"},
    {"구분", "Kind"},
    {"코드/종목", "Code/key"},
    {"리얼 구분", "Real type"},
    {"RQID", "RQID"},
    {"지연(ms)", "Latency (ms)"},
    {"바이트", "Bytes"},
}};
constexpr std::array<Caption, 4> kDetailHeaders{
    {{"이름", "Name"}, {"오프셋", "Offset"}, {"폭", "Width"}, {"값", "Value"}}};

enum Role { kPartRole = Qt::UserRole, kRowRole, kFieldRole };

QString Lines(const std::vector<std::string>& lines) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& l : lines) out << FromCp949(l);
  return out.join(QLatin1Char('\n'));
}

QTreeWidgetItem* Item(QTreeWidgetItem* parent, const QStringList& texts, int part, int row = -1,
                      int field = -1) {
  auto* item = new QTreeWidgetItem(parent, texts);
  item->setData(0, kPartRole, part);
  item->setData(0, kRowRole, row);
  item->setData(0, kFieldRole, field);
  return item;
}

}  // namespace

InspectorListModel::InspectorListModel(CZQKCommClientDlg& dlg, QObject* parent)
    : QAbstractTableModel(parent), dlg_(dlg) {}

void InspectorListModel::Refresh() {
  const ReplyInspector& inspector = dlg_.Inspector();
  const int count = static_cast<int>(inspector.Count());
  const uint64_t newest = inspector.NewestSerial();
  if (count == count_ && newest == newest_) return;
  const uint64_t added = newest - newest_;
  if (added >= static_cast<uint64_t>(count) || count == 0) {
    beginResetModel();
    count_ = count;
    newest_ = newest;
    endResetModel();
    return;
  }
  // Rows already shown that are still kept. Once the cap is reached every
  // refresh drops as many as come: the list is laid out afresh, cheaper for
  // the view than moving thousands of rows (the window selects again).
  const int kept = count - static_cast<int>(added);
  if (kept < count_) {
    beginResetModel();
    count_ = count;
    newest_ = newest;
    endResetModel();
    return;
  }
  if (added > 0) {
    beginInsertRows({}, 0, static_cast<int>(added) - 1);
    count_ = count;
    newest_ = newest;
    endInsertRows();
  }
}

void InspectorListModel::ApplyLanguage() {
  headers_.clear();
  for (const Caption& c : kListHeaders) headers_ << FromCp949(dlg_.Lang(c.korean, c.english));
  emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(kListHeaders.size()) - 1);
  if (count_ > 0) emit dataChanged(index(0, 1), index(count_ - 1, 1));
}

const InspectorEntry* InspectorListModel::EntryAt(int row) const {
  if (row < 0 || row >= count_) return nullptr;
  return dlg_.Inspector().BySerial(newest_ - static_cast<uint64_t>(row));
}

int InspectorListModel::RowOf(uint64_t serial) const {
  if (serial == 0 || serial > newest_ || newest_ - serial >= static_cast<uint64_t>(count_)) {
    return -1;
  }
  return static_cast<int>(newest_ - serial);
}

int InspectorListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : count_;
}

int InspectorListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kListHeaders.size());
}

QVariant InspectorListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole) return {};
  const InspectorEntry* e = EntryAt(index.row());
  if (!e) return {};
  const bool reply = e->kind == InspectedKind::kReply;
  switch (index.column()) {
    case 0:
      return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(e->clock))
          .toString(QStringLiteral("HH:mm:ss"));
    case 1:
      return FromCp949(reply ? dlg_.Lang("응답", "Reply") : dlg_.Lang("리얼", "Real-time"));
    case 2:
      return FromCp949(inspect::ShownBytes(e->code));
    case 3:
      return reply ? QVariant() : QVariant(e->realType);
    case 4:
      return reply ? QVariant(e->rqId) : QVariant();
    case 5:
      return e->latencyMs ? QVariant(static_cast<qlonglong>(*e->latencyMs)) : QVariant();
    case 6:
      return static_cast<qulonglong>(e->inspection.dataBytes);
    default:
      return {};
  }
}

QVariant InspectorListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= headers_.size()) {
    return {};
  }
  return headers_[section];
}

InspectorWindow::InspectorWindow(CZQKCommClientDlg& dlg, QWidget* parent)
    : QWidget(parent, Qt::Window), dlg_(dlg) {
  auto* layout = new QVBoxLayout(this);
  status_ = new QLabel(this);
  layout->addWidget(status_);
  auto* splitter = new QSplitter(Qt::Vertical, this);
  list_ = new QTableView(splitter);
  model_ = new InspectorListModel(dlg_, this);
  list_->setModel(model_);
  list_->verticalHeader()->hide();
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
  detail_ = new QTreeWidget(splitter);
  detail_->setColumnCount(static_cast<int>(kDetailHeaders.size()));
  detail_->setUniformRowHeights(true);
  splitter->addWidget(list_);
  splitter->addWidget(detail_);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 2);
  layout->addWidget(splitter);
  auto* buttons = new QHBoxLayout();
  copy_ = new QPushButton(this);
  copyReply_ = new QPushButton(this);
  save_ = new QPushButton(this);
  clear_ = new QPushButton(this);
  for (QPushButton* b : {copy_, copyReply_, save_, clear_}) buttons->addWidget(b);
  buttons->addStretch();
  layout->addLayout(buttons);
  connect(copy_, &QPushButton::clicked, this, &InspectorWindow::CopySelection);
  connect(copyReply_, &QPushButton::clicked, this, &InspectorWindow::CopyReply);
  connect(save_, &QPushButton::clicked, this, [this] {
    const QString file = chooseJsonFile ? chooseJsonFile()
                                        : QFileDialog::getSaveFileName(
                                              this, save_->text(), QStringLiteral("reply.json"),
                                              QStringLiteral("JSON (*.json)"));
    if (!file.isEmpty()) SaveJson(file);
  });
  connect(clear_, &QPushButton::clicked, this, [this] {
    dlg_.Inspector().Clear();
    Refresh();
  });
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { ShowSelected(); });
  resize(820, 680);
  timer_.setInterval(kRefreshMs);
  connect(&timer_, &QTimer::timeout, this, &InspectorWindow::Refresh);
  ApplyLanguage();
}

inspect::Language InspectorWindow::Language() const {
  return dlg_.IsKorean() ? inspect::Language::kKorean : inspect::Language::kEnglish;
}

void InspectorWindow::ApplyLanguage() {
  setWindowTitle(FromCp949(dlg_.Lang("응답 검사기", "Reply Inspector")));
  copy_->setText(FromCp949(dlg_.Lang("선택 복사", "Copy selection")));
  copyReply_->setText(FromCp949(dlg_.Lang("응답 복사", "Copy reply")));
  save_->setText(FromCp949(dlg_.Lang("JSON 저장...", "Save JSON...")));
  clear_->setText(FromCp949(dlg_.Lang("지우기", "Clear")));
  QStringList headers;
  for (const Caption& c : kDetailHeaders) headers << FromCp949(dlg_.Lang(c.korean, c.english));
  detail_->setHeaderLabels(headers);
  model_->ApplyLanguage();
  shownSerial_ = 0;
  Refresh();
  ShowSelected();
}

void InspectorWindow::Refresh() {
  // A list laid out afresh loses its current row: the shown entry is selected
  // again, unless it has been dropped.
  refreshing_ = true;
  model_->Refresh();
  if (shownSerial_ != 0 && !list_->currentIndex().isValid()) {
    const int row = model_->RowOf(shownSerial_);
    if (row >= 0) {
      list_->setCurrentIndex(model_->index(row, 0));
    } else {
      detail_->clear();
      shownSerial_ = 0;
    }
  }
  refreshing_ = false;
  const ReplyInspector& inspector = dlg_.Inspector();
  const QString mib =
      QString::number(static_cast<double>(inspector.HeldBytes()) / (1 << 20), 'f', 1);
  status_->setText(FromCp949(dlg_.Lang("보관 ", "Kept ")) + QString::number(inspector.Count()) +
                   FromCp949(dlg_.Lang("건 (", " (")) + mib +
                   FromCp949(dlg_.Lang(" MiB), 한도 10,000건 / 64 MiB, 밀려난 것 ",
                                       " MiB) of 10,000 / 64 MiB; dropped ")) +
                   QString::number(inspector.Dropped()) + FromCp949(dlg_.Lang("건", "")));
}

void InspectorWindow::Select(int n) {
  Refresh();
  list_->selectRow(n);
  list_->setCurrentIndex(model_->index(n, 0));
  ShowSelected();
}

const InspectorEntry* InspectorWindow::Selected() const {
  const QModelIndex current = list_->currentIndex();
  return current.isValid() ? model_->EntryAt(current.row()) : nullptr;
}

void InspectorWindow::ShowSelected() {
  if (refreshing_) return;
  const InspectorEntry* e = Selected();
  if (e && e->serial == shownSerial_) return;
  detail_->clear();
  shownSerial_ = e ? e->serial : 0;
  if (!e) return;
  const inspect::Language language = Language();
  const auto valueText = [](const std::string& value) {
    QString shown = FromCp949(inspect::ShownBytes(value));
    if (shown.size() > kShownValueChars) {
      shown = shown.left(kShownValueChars) + QStringLiteral("... (%1 bytes)").arg(value.size());
    }
    return shown;
  };
  const std::vector<inspect::Part>& parts = e->inspection.parts;
  for (int p = 0; p < static_cast<int>(parts.size()); ++p) {
    const inspect::Part& part = parts[static_cast<size_t>(p)];
    auto* top = new QTreeWidgetItem(detail_, {FromCp949(inspect::PartTitle(part, language))});
    top->setData(0, kPartRole, p);
    top->setData(0, kRowRole, -1);
    top->setData(0, kFieldRole, -1);
    for (const inspect::Note& note : part.notes) {
      QTreeWidgetItem* item = Item(top, {FromCp949(inspect::NoteText(note, language))}, p);
      if (note.kind != inspect::NoteKind::kSameAsBlock) item->setForeground(0, QBrush(Qt::red));
      item->setFirstColumnSpanned(true);
    }
    const int rows = std::min<int>(static_cast<int>(part.rows.size()), kShownRows);
    for (int r = 0; r < rows; ++r) {
      const inspect::Row& row = part.rows[static_cast<size_t>(r)];
      QTreeWidgetItem* rowItem = Item(top, {FromCp949(inspect::RowLabel(row, language))}, p, r);
      // The first row open: what a field of the layout holds is seen at once.
      rowItem->setExpanded(r == 0);
      for (int f = 0; f < static_cast<int>(row.fields.size()); ++f) {
        const inspect::Field& field = row.fields[static_cast<size_t>(f)];
        Item(rowItem,
             {FromCp949(field.name), QString::number(field.offset), QString::number(field.width),
              valueText(field.value)},
             p, r, f);
      }
    }
    if (rows < static_cast<int>(part.rows.size())) {
      Item(top, {QStringLiteral("... %1").arg(part.rows.size() - static_cast<size_t>(rows))}, p);
    }
    if (!part.rest.empty()) {
      QTreeWidgetItem* bytes =
          Item(top,
               {FromCp949(language == inspect::Language::kKorean ? "바이트" : "bytes"),
                QString::number(part.restOffset), QString::number(part.rest.size())},
               p);
      const std::string_view shown = std::string_view(part.rest).substr(
          0, static_cast<size_t>(kShownDumpLines) * inspect::kDumpWidth);
      for (const std::string& line : inspect::DumpLines(shown, part.restOffset)) {
        Item(bytes, {QString(), QString(), QString(), QString::fromLatin1(line)}, p);
      }
    }
    top->setExpanded(true);
  }
  detail_->resizeColumnToContents(0);
}

QString InspectorWindow::SelectionText() const {
  const InspectorEntry* e = Selected();
  if (!e) return {};
  const QTreeWidgetItem* item = detail_->currentItem();
  if (!item) return ReplyText();
  const int p = item->data(0, kPartRole).toInt();
  const int r = item->data(0, kRowRole).toInt();
  const int f = item->data(0, kFieldRole).toInt();
  const inspect::Part& part = e->inspection.parts.at(static_cast<size_t>(p));
  if (r < 0) {
    inspect::Inspection one;
    one.parts.push_back(part);
    return Lines(inspect::InspectionLines(one, Language()));
  }
  const inspect::Row& row = part.rows.at(static_cast<size_t>(r));
  if (f < 0) return Lines(inspect::RowLines(part, row));
  return FromCp949(inspect::FieldLine(part, row, row.fields.at(static_cast<size_t>(f))));
}

QString InspectorWindow::ReplyText() const {
  const InspectorEntry* e = Selected();
  return e ? Lines(EntryLines(*e, Language())) : QString();
}

void InspectorWindow::CopySelection() {
  QApplication::clipboard()->setText(SelectionText());
}

void InspectorWindow::CopyReply() {
  QApplication::clipboard()->setText(ReplyText());
}

bool InspectorWindow::SaveJson(const QString& path) {
  const InspectorEntry* e = Selected();
  if (!e) return false;
  QFile file(path);
  const QByteArray json = InspectorEntryJson(*e, Language());
  const bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                  file.write(json) == json.size() && file.flush();
  if (!ok) {
    status_->setText(FromCp949(dlg_.Lang("저장하지 못했습니다: ", "Could not save: ")) +
                     file.errorString());
  }
  return ok;
}

void InspectorWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  dlg_.SetInspecting(true);
  Refresh();
  timer_.start();
}

void InspectorWindow::hideEvent(QHideEvent* event) {
  // Minimised, it goes on reading; closed, it reads nothing more.
  if (!event->spontaneous()) {
    dlg_.SetInspecting(false);
    timer_.stop();
  }
  QWidget::hideEvent(event);
}

}  // namespace zqk
