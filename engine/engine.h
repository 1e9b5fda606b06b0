// korvanu-engine's line protocol over the game core: one command in, a reply
// out that ends with "ok" or is a single "error ..." line.
#pragma once

#include <atomic>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "best_move.h"
#include "state/game.h"

namespace korvanu {

class Engine {
public:
  Engine();

  // Answers one command line; false once the command was "quit".
  bool handle(const std::string& line, std::ostream& out);

  // While set, `best` and `perft` end early (another thread may set it):
  // `best` with the move of its last finished depth, `perft` with an error.
  void stopOn(const std::atomic<bool>* stop) { stop_ = stop; }

private:
  // The position, the lower side to move at move 1 unless told otherwise.
  void newGame(const RecordEntry& position, bool upperToMove = false, int moveNumber = 1);

  bool position(const std::string& args, std::ostream& out);
  bool set(const std::string& args, std::ostream& out);
  bool show(const std::string& args, std::ostream& out);
  bool sfen(const std::string& args, std::ostream& out);
  bool moves(const std::string& args, std::ostream& out);
  bool move(const std::string& args, std::ostream& out);
  bool survey(const std::string& args, std::ostream& out);
  bool mated(const std::string& args, std::ostream& out);
  bool winner(const std::string& args, std::ostream& out);
  bool perft(const std::string& args, std::ostream& out);
  bool scores(const std::string& args, std::ostream& out);
  bool best(const std::string& args, std::ostream& out);

  std::unique_ptr<Game> game_;
  Thinking thinking_;
  // The keys of the positions before each move since the last `position`,
  // oldest first: level 4 scores a repeat of one as a draw.
  std::vector<Key> history_;
  // Whose move it is and its number, for `sfen`: set by `position`, then
  // each `move` hands the turn to the other side of the piece moved.
  bool upperToMove_ = false;
  int moveNumber_ = 1;
  // Level 4's table, kept for every `best`.
  SearchTable table_;
  const std::atomic<bool>* stop_ = nullptr;
};

} // namespace korvanu
