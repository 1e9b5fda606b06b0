// The network game's dialogs: the host's terms, the joiner's address and
// code, and the box the host waits in.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <functional>
#include <string>

#include "platform/platform.h"

class QWidget;

namespace korvanu {

bool askHostTermsDialog(QWidget* parent, NetTerms& terms);
bool askJoinDialog(QWidget* parent, std::string& address, std::string& code);

// The waiting box: modeless, so the game runs on while it shows; its cancel
// button calls `cancelled`. Shown again, it changes its text in place.
class WaitingBox {
public:
  void show(QWidget* parent, const std::string& text, std::function<void()> cancelled);
  void close();

private:
  QPointer<QMessageBox> box_;
};

} // namespace korvanu
