#pragma once
// The UI thread on Qt's event loop: posted work runs as a queued call on the
// thread that owns this object (after a timer for a delay), also inside the
// nested loop of a modal box. Agent time is real time here.

#include <QElapsedTimer>
#include <QObject>
#include <atomic>
#include <mutex>
#include <unordered_map>

#include "agent/UiThread.h"

class QTimer;

namespace zqk {

class QtUiThread : public QObject, public UiThread {
  Q_OBJECT
 public:
  explicit QtUiThread(QObject* parent = nullptr);
  ~QtUiThread() override;

  uint64_t Post(std::function<void()> work, uint32_t delayMs) override;
  void Cancel(uint64_t ticket) override;
  int64_t NowMs() const override;

  // Work posted and neither run nor cancelled yet.
  size_t Pending() const;

 private:
  struct Entry {
    std::function<void()> work;
    QTimer* timer = nullptr;  // set once the delay has started (UI thread)
  };
  void Start(uint64_t ticket, uint32_t delayMs);
  void Run(uint64_t ticket);

  QElapsedTimer clock_;
  std::atomic<uint64_t> lastTicket_{0};
  mutable std::mutex mutex_;
  std::unordered_map<uint64_t, Entry> pending_;
};

}  // namespace zqk
