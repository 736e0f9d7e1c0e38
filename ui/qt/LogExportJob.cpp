#include "ui/qt/LogExportJob.h"

#include <QElapsedTimer>

namespace zqk {
namespace {

constexpr size_t kFlushBytes = size_t{1} << 20;
constexpr size_t kLinesBetweenClockLooks = 8 * 1024;

}  // namespace

LogExportJob::LogExportJob(EventLog& log, const QString& path, ExportFormat format,
                           std::optional<LogPattern> filter, QObject* parent)
    : QObject(parent), log_(log), file_(path), writer_(format), filter_(std::move(filter)) {
  listener_ = log_.AddListener([this](LogChange change) {
    if (change == LogChange::kCleared) cleared_ = true;
  });
  timer_.setSingleShot(true);
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &LogExportJob::Slice);
}

LogExportJob::~LogExportJob() {
  log_.RemoveListener(listener_);
  if (busy_) file_.cancelWriting();
}

void LogExportJob::Start() {
  if (!file_.open(QIODevice::WriteOnly)) {
    busy_ = true;
    Finish(file_.errorString());
    return;
  }
  busy_ = true;
  end_ = log_.Count();
  writer_.AppendHeader(buffer_);
  timer_.start();
}

void LogExportJob::Slice() {
  if (cleared_) {
    Finish(QStringLiteral("the log was cleared"));
    return;
  }
  QElapsedTimer clock;
  clock.start();
  while (next_ < end_ && clock.elapsed() < kSliceMs) {
    const size_t limit = std::min(end_, next_ + kLinesBetweenClockLooks);
    if (filter_) {
      filter_->ScanLines(log_, LineIndex{next_}, LineIndex{limit}, [this](LineIndex line) {
        writer_.AppendLine(log_.Line(line), buffer_);
        ++written_;
      });
    } else {
      for (size_t i = next_; i < limit; ++i) writer_.AppendLine(log_.Line(LineIndex{i}), buffer_);
      written_ += limit - next_;
    }
    next_ = limit;
    if (buffer_.size() >= kFlushBytes && !Flush()) return;
  }
  if (next_ < end_) {
    timer_.start();
    return;
  }
  if (!Flush()) return;
  if (!file_.commit()) {
    Finish(file_.errorString());
    return;
  }
  Finish(QString());
}

bool LogExportJob::Flush() {
  if (buffer_.empty()) return true;
  const qint64 size = static_cast<qint64>(buffer_.size());
  if (file_.write(buffer_.data(), size) != size) {
    Finish(file_.errorString());
    return false;
  }
  buffer_.clear();
  return true;
}

void LogExportJob::Finish(const QString& error) {
  if (!busy_) return;
  busy_ = false;
  timer_.stop();
  if (!error.isEmpty() && file_.isOpen()) file_.cancelWriting();
  buffer_.clear();
  emit finished(error, static_cast<qsizetype>(written_));
}

}  // namespace zqk
