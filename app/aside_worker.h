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

class AsideWorker {
public:
  using Work = std::function<void(const std::atomic<bool>& stop)>;

  // `receiver` is the object on whose thread each piece of work's end is
  // delivered, as a queued event.
  explicit AsideWorker(QObject& receiver) : receiver_(receiver) {}
  ~AsideWorker();
  AsideWorker(const AsideWorker&) = delete;
  AsideWorker& operator=(const AsideWorker&) = delete;

  // Runs `work` next, stopping the work before it; `done` follows as an
  // event once it has returned, unless stop() came first.
  void start(Work work, std::function<void()> done);
  // The current work is to stop, and its `done` is not delivered.
  void stop();
  // Work started and neither finished nor stopped.
  bool busy() const { return busy_; }

private:
  void run();

  QObject& receiver_;
  std::mutex mutex_;
  std::condition_variable wake_;
  Work work_;
  std::function<void()> done_;
  unsigned serial_ = 0;               // of the latest work started
  std::atomic<bool>* stop_ = nullptr; // the running work's
  bool ending_ = false;
  bool busy_ = false; // the game's thread's view
  std::thread thread_;
};

} // namespace korvanu
