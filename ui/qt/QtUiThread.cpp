#include "ui/qt/QtUiThread.h"

#include <QTimer>
#include <algorithm>
#include <cstdint>

namespace zqk {

QtUiThread::QtUiThread(QObject* parent) : QObject(parent) {
  clock_.start();
}

QtUiThread::~QtUiThread() = default;

uint64_t QtUiThread::Post(std::function<void()> work, uint32_t delayMs) {
  const uint64_t ticket = ++lastTicket_;
  {
    std::lock_guard lock(mutex_);
    pending_.emplace(ticket, Entry{std::move(work), nullptr});
  }
  // Queued calls run in posting order; one with a delay starts its timer on
  // the UI thread, where timers must live.
  QMetaObject::invokeMethod(
      this, [this, ticket, delayMs] { Start(ticket, delayMs); }, Qt::QueuedConnection);
  return ticket;
}

void QtUiThread::Start(uint64_t ticket, uint32_t delayMs) {
  if (delayMs == 0) {
    Run(ticket);
    return;
  }
  std::lock_guard lock(mutex_);
  auto it = pending_.find(ticket);
  if (it == pending_.end()) return;  // cancelled before it started
  auto* timer = new QTimer(this);
  timer->setSingleShot(true);
  timer->setTimerType(Qt::PreciseTimer);
  connect(timer, &QTimer::timeout, this, [this, ticket] { Run(ticket); });
  it->second.timer = timer;
  timer->start(static_cast<int>(std::min<uint32_t>(delayMs, INT32_MAX)));
}

void QtUiThread::Run(uint64_t ticket) {
  std::function<void()> work;
  {
    std::lock_guard lock(mutex_);
    auto it = pending_.find(ticket);
    if (it == pending_.end()) return;
    work = std::move(it->second.work);
    if (it->second.timer) it->second.timer->deleteLater();
    pending_.erase(it);
  }
  work();
}

void QtUiThread::Cancel(uint64_t ticket) {
  // The work is destroyed outside the lock: what it holds may post again.
  std::function<void()> dropped;
  std::lock_guard lock(mutex_);
  auto it = pending_.find(ticket);
  if (it == pending_.end()) return;
  dropped = std::move(it->second.work);
  if (QTimer* timer = it->second.timer) {
    timer->stop();
    timer->deleteLater();
  }
  pending_.erase(it);
}

int64_t QtUiThread::NowMs() const {
  return clock_.elapsed();
}

size_t QtUiThread::Pending() const {
  std::lock_guard lock(mutex_);
  return pending_.size();
}

}  // namespace zqk
