// Ends the game on SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in
// the terminal) the way the player ends it. The signal handler only writes
// to a pipe; the event loop reads it and asks for the end, so the end
// processing runs where every other event of the game runs.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace korvanu {

class EndSignals : public QObject {
  Q_OBJECT
public:
  // One per program: the handlers are process-wide.
  explicit EndSignals(QObject* parent = nullptr);
  ~EndSignals() override;
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

signals:
  void received(int signal);

private:
  void readPipe();
};

} // namespace korvanu
