// The program's one worker thread: the game's searches run on it, one at a
// time, for the program's whole life, so that their memory (a large table)
// is taken once and kept rather than taken again by a new thread each time.
#pragma once

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace korvanu {

class AsideWorker : public QObject {
  Q_OBJECT
public:
  using Work = std::function<void(const std::atomic<bool>& stop)>;

  AsideWorker() = default;
  ~AsideWorker() override;
  AsideWorker(const AsideWorker&) = delete;
  AsideWorker& operator=(const AsideWorker&) = delete;

  // Runs `work` next, stopping the work before it; `done` follows on this
  // object's thread, as an event of its own, once it has returned, unless
  // stop() or another start() came first.
  void start(Work work, std::function<void()> done);
  // The current work is to stop, and its `done` is not delivered.
  void stop();
  // Work started and neither finished nor stopped.
  bool busy() const { return busy_; }

private slots:
  // What the finished work left is handed over under the lock, so that all
  // it wrote is seen here; the queued call itself carries nothing.
  void deliver();

private:
  void run();

  std::mutex mutex_;
  std::condition_variable wake_;
  Work work_;
  std::function<void()> done_;
  unsigned serial_ = 0;               // of the latest work started
  std::function<void()> finished_;    // the `done` of work that has returned
  unsigned finishedSerial_ = 0;       // and which work that was
  std::atomic<bool>* stop_ = nullptr; // the running work's
  bool ending_ = false;
  bool busy_ = false; // the game's thread's view
  std::thread thread_;
};

} // namespace korvanu
