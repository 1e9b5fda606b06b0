#include "aside_worker.h"

namespace korvanu {

AsideWorker::~AsideWorker() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
    if (stop_) *stop_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

void AsideWorker::start(Work work, std::function<void()> done) {
  {
    std::lock_guard lock(mutex_);
    if (stop_) *stop_ = true;
    work_ = std::move(work);
    done_ = std::move(done);
    ++serial_;
    finished_ = nullptr;
    busy_ = true;
    if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
  }
  wake_.notify_one();
}

void AsideWorker::stop() {
  std::lock_guard lock(mutex_);
  if (stop_) *stop_ = true;
  work_ = nullptr;
  done_ = nullptr;
  finished_ = nullptr;
  ++serial_; // whatever runs now ends unheard
  busy_ = false;
}

void AsideWorker::deliver() {
  std::function<void()> done;
  {
    std::lock_guard lock(mutex_);
    if (!finished_ || finishedSerial_ != serial_) return;
    done = std::move(finished_);
    finished_ = nullptr;
    busy_ = false;
  }
  done();
}

void AsideWorker::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return ending_ || work_; });
    if (ending_) return;
    Work work = std::move(work_);
    std::function<void()> done = std::move(done_);
    work_ = nullptr;
    done_ = nullptr;
    const unsigned serial = serial_;
    std::atomic<bool> stop{false};
    stop_ = &stop;
    lock.unlock();
    work(stop);
    lock.lock();
    stop_ = nullptr;
    if (serial != serial_ || ending_ || !done) continue;
    // Back on the game's thread, and only if nothing newer came meanwhile.
    finished_ = std::move(done);
    finishedSerial_ = serial;
    QMetaObject::invokeMethod(this, "deliver", Qt::QueuedConnection);
  }
}

} // namespace korvanu
