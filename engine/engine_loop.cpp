#include "engine_loop.h"

namespace korvanu {

namespace {

bool is(std::string line, const char* word) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line == word;
}

} // namespace

EngineLoop::EngineLoop(std::ostream& out) : out_(out) {
  engine_.stopOn(&stop_);
  worker_ = std::thread([this] { work(); });
}

EngineLoop::~EngineLoop() { finish(); }

bool EngineLoop::feed(const std::string& line) {
  {
    const std::scoped_lock held(lock_);
    if (closing_) return false;
    const std::int64_t number = fed_++;
    if (is(line, "stop")) {
      stopBefore_ = number;
      stop_ = true;
    }
    queue_.emplace_back(number, line);
  }
  wake_.notify_one();
  return !is(line, "quit");
}

void EngineLoop::finish() {
  {
    const std::scoped_lock held(lock_);
    closing_ = true;
  }
  wake_.notify_one();
  if (worker_.joinable()) worker_.join();
}

void EngineLoop::work() {
  for (;;) {
    std::string line;
    {
      std::unique_lock held(lock_);
      wake_.wait(held, [this] { return closing_ || !queue_.empty(); });
      if (queue_.empty()) return;
      const std::int64_t number = queue_.front().first;
      line = std::move(queue_.front().second);
      queue_.pop_front();
      // Set and cleared under the lock, so that a `stop` read meanwhile is not lost.
      stop_ = number < stopBefore_;
    }
    const bool more = engine_.handle(line, out_);
    out_.flush();
    if (!more) {
      const std::scoped_lock held(lock_);
      closing_ = true;
      queue_.clear();
      return;
    }
  }
}

} // namespace korvanu
