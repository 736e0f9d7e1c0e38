#pragma once
// Writes the log, or the lines of it that match a pattern, to a file as CSV
// or JSON Lines, a slice per event-loop pass so that the window stays
// responsive while millions of lines go out. The lines are those the log
// held when the export began. The file is replaced only when every line is
// written; a failure leaves any earlier file as it was.

#include <QObject>
#include <QSaveFile>
#include <QString>
#include <QTimer>
#include <optional>
#include <string>

#include "dialog/EventLog.h"
#include "dialog/LogExport.h"
#include "dialog/LogPattern.h"

namespace zqk {

class LogExportJob : public QObject {
  Q_OBJECT
 public:
  static constexpr int kSliceMs = 8;

  LogExportJob(EventLog& log, const QString& path, ExportFormat format,
               std::optional<LogPattern> filter, QObject* parent = nullptr);
  ~LogExportJob() override;

  // Opens the file and starts; the result comes through finished().
  void Start();
  bool Busy() const { return busy_; }
  // The export stopped because the log was cleared under it.
  bool Cleared() const { return cleared_; }

 signals:
  // `error` is empty on success; `lines` the lines written.
  void finished(const QString& error, qsizetype lines);

 private:
  void Slice();
  bool Flush();
  void Finish(const QString& error);

  EventLog& log_;
  EventLog::ListenerId listener_ = 0;
  QSaveFile file_;
  LogExportWriter writer_;
  std::optional<LogPattern> filter_;
  QTimer timer_;
  size_t next_ = 0;
  size_t end_ = 0;
  size_t written_ = 0;
  std::string buffer_;
  bool busy_ = false;
  bool cleared_ = false;
};

}  // namespace zqk
