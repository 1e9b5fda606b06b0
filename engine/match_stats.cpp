#include "match_stats.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvanu {

namespace {

// The variance of one game's points around their mean `s`.
double variance(const Tally& t, double s) {
  const double n = t.games();
  return (t.wins * (1 - s) * (1 - s) + t.draws * (0.5 - s) * (0.5 - s) + t.losses * s * s) / n;
}

double expected(double elo) { return 1 / (1 + std::pow(10, -elo / 400)); }

} // namespace

double Tally::score() const { return games() == 0 ? 0.5 : (wins + 0.5 * draws) / games(); }

double eloOf(double score) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  if (score <= 0) return -inf;
  if (score >= 1) return inf;
  return -400 * std::log10(1 / score - 1);
}

EloRange eloRange(const Tally& t) {
  const double s = t.score();
  if (t.games() == 0) return {0, -std::numeric_limits<double>::infinity(), eloOf(1)};
  const double margin = 1.959963984540054 * std::sqrt(variance(t, s) / t.games());
  return {eloOf(s), eloOf(s - margin), eloOf(s + margin)};
}

double sprtLlr(const Tally& t, double elo0, double elo1) {
  if (t.games() == 0) return 0;
  const double s = t.score();
  const double var = variance(t, s);
  // Every game alike tells nothing about the spread yet.
  if (var <= 0) return 0;
  const double s0 = expected(elo0), s1 = expected(elo1);
  return t.games() * (s1 - s0) * (2 * s - s0 - s1) / (2 * var);
}

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<size_t>(std::ceil(p * values.size()));
  return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

} // namespace korvanu
