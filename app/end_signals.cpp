#include "end_signals.h"

#include <fcntl.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace korvanu {

namespace {

constexpr int END_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};

int gPipe[2] = {-1, -1};

void onSignal(int signal) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(signal);
  // A full pipe already holds a request to end; nothing is lost.
  [[maybe_unused]] const ssize_t n = write(gPipe[1], &byte, 1);
  errno = saved;
}

} // namespace

EndSignals::EndSignals(QObject* parent) : QObject(parent) {
  if (pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    gPipe[0] = gPipe[1] = -1;
    return; // the signals keep their default effect: the game still ends
  }
  auto* notifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, &EndSignals::readPipe);
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  // A second signal of the same kind ends the program at once, should the
  // first find it stuck.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (const int signal : END_SIGNALS) sigaction(signal, &action, nullptr);
}

EndSignals::~EndSignals() {
  if (gPipe[0] < 0) return;
  for (const int signal : END_SIGNALS) std::signal(signal, SIG_DFL);
  close(gPipe[0]);
  close(gPipe[1]);
  gPipe[0] = gPipe[1] = -1;
}

void EndSignals::readPipe() {
  unsigned char bytes[16];
  ssize_t n = 0;
  while ((n = read(gPipe[0], bytes, sizeof bytes)) > 0)
    for (ssize_t i = 0; i < n; ++i) emit received(bytes[i]);
}

} // namespace korvanu
