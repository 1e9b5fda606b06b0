// korvanu-engine's input and its commands on two threads: the commands run in
// order on a thread of their own while the input is read on, so that `stop`
// can end a running `best` or `perft`.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>

#include "engine.h"

namespace korvanu {

class EngineLoop {
public:
  // Replies go to `out`, from the commands' thread only.
  explicit EngineLoop(std::ostream& out);
  ~EngineLoop(); // finish()
  EngineLoop(const EngineLoop&) = delete;
  EngineLoop& operator=(const EngineLoop&) = delete;

  // Queues one input line. A `stop` also ends at once every `best` and
  // `perft` queued before it (each still answers); false once the line was
  // `quit`, after which nothing more is read.
  bool feed(const std::string& line);
  // Waits until every queued command has answered.
  void finish();

private:
  void work();

  Engine engine_;
  std::ostream& out_;
  std::mutex lock_;
  std::condition_variable wake_;
  std::deque<std::pair<std::int64_t, std::string>> queue_;
  std::int64_t fed_ = 0;
  std::int64_t stopBefore_ = 0; // a command numbered below it is stopped
  bool closing_ = false;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

} // namespace korvanu
