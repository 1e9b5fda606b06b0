// The move list's own window: a small tool window right of the game's, one
// row per entry of the record, the entry shown marked. Closing it only hides
// it; the game shows it again.
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

class QListWidget;

namespace korvanu {

class RecordListWindow : public QWidget {
  Q_OBJECT
public:
  explicit RecordListWindow(QWidget& game);

  // Puts up `rows` with row `current` marked and in sight (-1: none); a
  // hidden list comes back beside the game.
  void showRows(const QStringList& rows, int current);
  // The title in the language in use.
  void relabel();
  // Called with the row the player clicked.
  std::function<void(int row)> onRowClicked;

  QListWidget& list() { return *list_; }

protected:
  void keyPressEvent(QKeyEvent* event) override;

private:
  void placeBesideGame();
  void mark(int row, bool marked);

  QWidget& game_;
  QListWidget* list_;
  int marked_ = -1;
};

} // namespace korvanu
