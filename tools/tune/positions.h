// The tuner's data: quiet positions from level 4's games against itself,
// each with the side to move, whether drops were on and how the game ended.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "rules/position_moves.h"

namespace korvanu::tune {

struct Sample {
  Position position;
  bool upper = false; // to move
  bool drops = false;
  double result = 0.5; // for the upper side: 1 won, 0.5 drawn, 0 lost
};

struct Recipe {
  int games = 1000;
  std::int64_t nodes = 4000; // a move, each side
  std::uint64_t seed = 1;
  int plies = 6; // random plies of each opening
  int threads = 0;
};

// Plays the games and writes one line a quiet position: result (2 the upper
// side won, 1 drawn, 0 lost), drops (0 or 1), the side to move (1 upper),
// then the position as a record entry line.
void writeSamples(const Recipe& recipe, std::ostream& out);
// Reads what writeSamples wrote; false with `why` at the first bad line.
bool readSamples(std::istream& in, std::vector<Sample>& out, std::string& why);

} // namespace korvanu::tune
