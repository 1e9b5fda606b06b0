// The figures a match reports: the score, Elo with its 95 % interval, the
// sequential test that may stop it early, and percentiles of times.
#pragma once

#include <vector>

namespace korvanu {

// Games from the first player's side.
struct Tally {
  int wins = 0, draws = 0, losses = 0;
  int games() const { return wins + draws + losses; }
  double score() const; // 0..1, a draw half a point
};

// The Elo difference a score stands for: +inf and -inf at 1 and 0.
double eloOf(double score);

struct EloRange {
  double elo, low, high;
};
// Elo and its 95 % interval from the spread of the games' points.
EloRange eloRange(const Tally& t);

// The log-likelihood ratio of H1 (elo1) against H0 (elo0), by the normal
// approximation of the games' points; the test stops once it leaves
// [SPRT_LOWER, SPRT_UPPER] (5 % errors both ways).
double sprtLlr(const Tally& t, double elo0, double elo1);
constexpr double SPRT_LOWER = -2.944438979166440; // log(0.05 / 0.95)
constexpr double SPRT_UPPER = 2.944438979166440;  // log(0.95 / 0.05)

// The value at fraction `p` (0..1] of the sorted values, by nearest rank;
// 0 for none.
double percentile(std::vector<double> values, double p);

} // namespace korvanu
