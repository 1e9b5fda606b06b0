#include "quit_signals.h"

#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace korvanu {

namespace {

// The handler may only write a byte; the window's thread reads it.
int wake[2] = {-1, -1};
volatile std::sig_atomic_t pending = 0;

void onQuitSignal(int signal) {
  if (pending) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return;
  }
  pending = 1;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(wake[0], &byte, 1);
}

} // namespace

void closeOnQuitSignals(QWidget& window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wake) != 0) return;
  auto* notifier = new QSocketNotifier(wake[1], QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(wake[1], &byte, 1);
    window.close();
  });
  struct sigaction action = {};
  action.sa_handler = onQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

} // namespace korvanu
