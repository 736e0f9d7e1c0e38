#include "ui/qt/ActivityWindow.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <string_view>

#include "ui/qt/Cp949Text.h"
#include "ui/qt/TextTableModel.h"

namespace zqk {
namespace {

struct Caption {
  std::string_view korean;
  std::string_view english;
};

struct TableCaptions {
  Caption title;
  std::vector<Caption> headers;
};

// One row per ActivityTable, in its order.
const std::array<TableCaptions, 5>& Captions() {
  static const std::array<TableCaptions, 5> captions{{
      {{"진행 중인 요청", "Requests in flight"},
       {{"RQID", "RQID"},
        {"코드", "Code"},
        {"보낸 시각", "Sent at"},
        {"기다린 시간(ms)", "Waiting (ms)"},
        {"받은 페이지", "Pages so far"}}},
      {{"끝난 요청 (최근 1,000건)", "Finished requests (newest 1,000)"},
       {{"RQID", "RQID"},
        {"코드", "Code"},
        {"보낸 시각", "Sent at"},
        {"결과", "Outcome"},
        {"페이지", "Pages"},
        {"페이지별 지연(ms)", "Latency per page (ms)"}}},
      {{"코드별 지연", "Latency by code"},
       {{"코드", "Code"},
        {"요청", "Requests"},
        {"페이지", "Pages"},
        {"거부", "Refused"},
        {"끊김", "Dropped"},
        {"무응답", "No answer"},
        {"중앙값(ms)", "Median (ms)"},
        {"99%(ms)", "99th pct (ms)"},
        {"최대(ms)", "Max (ms)"}}},
      {{"시세 리얼", "Quote feeds"},
       {{"종목", "Key"}, {"구분", "Real type"}, {"수신", "Records"}, {"초당", "Records/s"}}},
      {{"주문 리얼", "Order feeds"}, {{"계좌", "Account"}, {"수신", "Records"}}},
  }};
  return captions;
}

QString Number(uint64_t value) {
  return QString::number(value);
}

QString Optional(const std::optional<int64_t>& value) {
  return value ? QString::number(*value) : QString();
}

QString ClockText(std::time_t clock) {
  return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(clock))
      .toString(QStringLiteral("HH:mm:ss"));
}

Caption EndCaption(RequestEnd end) {
  switch (end) {
    case RequestEnd::kAnswered:
      return {"응답", "Answered"};
    case RequestEnd::kRefused:
      return {"거부", "Refused"};
    case RequestEnd::kDropped:
      return {"끊김", "Dropped"};
    case RequestEnd::kNoAnswer:
      return {"무응답", "No answer"};
  }
  return {"", ""};
}

}  // namespace

ActivityWindow::ActivityWindow(CZQKCommClientDlg& dlg, QWidget* parent)
    : QWidget(parent, Qt::Window), dlg_(dlg) {
  auto* layout = new QVBoxLayout(this);
  auto* splitter = new QSplitter(Qt::Vertical, this);
  auto* feeds = new QSplitter(Qt::Horizontal, splitter);
  for (size_t t = 0; t < kTables; ++t) {
    QWidget* holder =
        new QWidget(t >= static_cast<size_t>(ActivityTable::kQuoteFeeds) ? feeds : nullptr);
    auto* box = new QVBoxLayout(holder);
    box->setContentsMargins(0, 0, 0, 0);
    titles_[t] = new QLabel(holder);
    auto* view = new QTableView(holder);
    models_[t] = new TextTableModel(this);
    view->setModel(models_[t]);
    view->verticalHeader()->hide();
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    box->addWidget(titles_[t]);
    box->addWidget(view);
    if (t < static_cast<size_t>(ActivityTable::kQuoteFeeds)) splitter->addWidget(holder);
  }
  splitter->addWidget(feeds);
  layout->addWidget(splitter);
  resize(760, 640);
  timer_.setInterval(kRefreshMs);
  connect(&timer_, &QTimer::timeout, this, &ActivityWindow::Refresh);
  ApplyLanguage();
  Refresh();
}

const TextTableModel& ActivityWindow::Table(ActivityTable table) const {
  return *models_[static_cast<size_t>(table)];
}

void ActivityWindow::ApplyLanguage() {
  setWindowTitle(FromCp949(dlg_.Lang("활동 - 요청과 리얼", "Activity - requests and feeds")));
  for (size_t t = 0; t < kTables; ++t) {
    const TableCaptions& c = Captions()[t];
    titles_[t]->setText(FromCp949(dlg_.Lang(c.title.korean, c.title.english)));
    QStringList headers;
    for (const Caption& h : c.headers) headers << FromCp949(dlg_.Lang(h.korean, h.english));
    models_[t]->SetHeaders(headers);
  }
  Refresh();
}

void ActivityWindow::Refresh() {
  const ActivityTracker& activity = dlg_.Activity();
  const int64_t now = dlg_.NowMs();
  std::vector<QStringList> rows;
  for (const InFlightRequest& r : activity.InFlight()) {
    rows.push_back({QString::number(r.rqId), FromCp949(r.code), ClockText(r.sentClock),
                    QString::number(now - r.sentMs), Number(r.pagesSoFar)});
  }
  models_[static_cast<size_t>(ActivityTable::kInFlight)]->SetRows(std::move(rows));

  rows.clear();
  for (const FinishedRequest& r : activity.Finished()) {
    QStringList latencies;
    for (const int64_t ms : r.pageLatencyMs) latencies << QString::number(ms);
    const Caption end = EndCaption(r.end);
    rows.push_back({QString::number(r.rqId), FromCp949(r.code), ClockText(r.sentClock),
                    FromCp949(dlg_.Lang(end.korean, end.english)), Number(r.pageLatencyMs.size()),
                    latencies.join(QStringLiteral(", "))});
  }
  models_[static_cast<size_t>(ActivityTable::kFinished)]->SetRows(std::move(rows));

  rows.clear();
  for (const CodeActivity& c : activity.Codes()) {
    rows.push_back({FromCp949(c.code), Number(c.requests), Number(c.pages), Number(c.refused),
                    Number(c.dropped), Number(c.noAnswer), Optional(c.medianMs), Optional(c.p99Ms),
                    Optional(c.maxMs)});
  }
  models_[static_cast<size_t>(ActivityTable::kCodes)]->SetRows(std::move(rows));

  rows.clear();
  for (const QuoteFeedActivity& f : activity.QuoteFeeds(now)) {
    rows.push_back({FromCp949(f.key), QString::number(f.realType), Number(f.records),
                    f.perSecond ? QString::number(*f.perSecond, 'f', 1) : QString()});
  }
  models_[static_cast<size_t>(ActivityTable::kQuoteFeeds)]->SetRows(std::move(rows));

  rows.clear();
  for (const OrderFeedActivity& f : activity.OrderFeeds()) {
    rows.push_back({FromCp949(f.account), Number(f.records)});
  }
  models_[static_cast<size_t>(ActivityTable::kOrderFeeds)]->SetRows(std::move(rows));
}

void ActivityWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
  timer_.start();
}

void ActivityWindow::hideEvent(QHideEvent* event) {
  timer_.stop();
  QWidget::hideEvent(event);
}

}  // namespace zqk
