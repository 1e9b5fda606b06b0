#include "router_port.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "router_map.h"

namespace korvanu {

namespace {

// The threads still asking a router or taking a forwarding back, counted
// for the program's end. Never destroyed: a thread may outlive main().
struct Threads {
  std::mutex m;
  std::condition_variable idle;
  int running = 0;
};
Threads& threads() {
  static auto* t = new Threads;
  return *t;
}

void aside(std::function<void()> work) {
  {
    const std::lock_guard lock(threads().m);
    ++threads().running;
  }
  std::thread([work = std::move(work)] {
    work();
    const std::lock_guard lock(threads().m);
    --threads().running;
    threads().idle.notify_all();
  }).detach();
}

} // namespace

// One request to the router, shared with the thread that makes it.
struct RouterPort::Job {
  std::mutex m;
  RouterPort* owner = nullptr; // null once nobody waits for the answer
  bool done = false;
  bool late = false; // the window gave up on it
};

RouterPort::RouterPort(int port, RouterOptions options) : port_(port), options_(options) {
  budget_.setSingleShot(true);
  connect(&budget_, &QTimer::timeout, this, [this] {
    {
      const std::lock_guard lock(job_->m);
      if (job_->done) return;
      job_->late = true;
    }
    emit silent();
  });
  // Renewed at half its lease, without a bound of time: nobody waits for it.
  connect(&renewal_, &QTimer::timeout, this, &RouterPort::ask);
  renewal_.start(options_.leaseSeconds * 500);
  ask();
  budget_.start(options_.budgetMs);
}

RouterPort::~RouterPort() {
  {
    // A request still on its way takes back what it makes.
    const std::lock_guard lock(job_->m);
    job_->owner = nullptr;
  }
  if (kept_) aside([f = *kept_] { unforwardPort(f); });
}

void RouterPort::ask() {
  if (job_) {
    const std::lock_guard lock(job_->m);
    job_->owner = nullptr;
  }
  auto job = std::make_shared<Job>();
  job->owner = this;
  job_ = job;
  const auto deadline = RouterClock::now() + std::chrono::milliseconds(options_.budgetMs);
  aside([job, port = port_, lease = options_.leaseSeconds, deadline, kept = kept_] {
    const std::optional<Forwarding> made = forwardPort(port, lease, deadline);
    std::unique_lock lock(job->m);
    job->done = true;
    if (job->owner && !job->late) {
      RouterPort* owner = job->owner;
      QMetaObject::invokeMethod(
          owner, [owner, made] { owner->answered(made); }, Qt::QueuedConnection);
      return;
    }
    lock.unlock();
    // Nobody took it: a forwarding made now is taken back, unless it is the
    // one a renewal was renewing.
    if (made && !(kept && kept->publicPort == made->publicPort && kept->way == made->way))
      unforwardPort(*made);
  });
}

void RouterPort::answered(const std::optional<Forwarding>& made) {
  budget_.stop();
  if (!made) return emit silent();
  kept_ = made;
  emit mapped(made->endpoint());
}

bool finishRouterWork(std::chrono::milliseconds most) {
  std::unique_lock lock(threads().m);
  return threads().idle.wait_for(lock, most, [] { return threads().running == 0; });
}

} // namespace korvanu
