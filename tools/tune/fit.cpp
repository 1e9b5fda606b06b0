#include "fit.h"

#include <cmath>
#include <cstdlib>
#include <ostream>

#include "match.h"

namespace korvanu::tune {

double meanError(const std::vector<Sample>& samples, const search::EvalWeights& w, double scale) {
  const search::Evaluator e(w);
  double sum = 0;
  for (const Sample& s : samples) {
    const int score = e.evaluate(s.position, true, s.drops);
    const double chance = 1 / (1 + std::pow(10.0, -scale * score / 400));
    sum += (s.result - chance) * (s.result - chance);
  }
  return samples.empty() ? 0 : sum / static_cast<double>(samples.size());
}

double bestScale(const std::vector<Sample>& samples, const search::EvalWeights& w) {
  // The error is smooth in the scale: a golden-section search.
  double low = 0.05, high = 3;
  const double r = (std::sqrt(5.0) - 1) / 2;
  for (int i = 0; i < 25; ++i) {
    const double a = high - r * (high - low), b = low + r * (high - low);
    if (meanError(samples, w, a) < meanError(samples, w, b))
      high = b;
    else
      low = a;
  }
  return (low + high) / 2;
}

search::EvalWeights fit(const std::vector<Sample>& samples, search::EvalWeights w,
                        const std::vector<std::string_view>& names, double scale, int passes,
                        std::ostream& log) {
  std::vector<int> steps;
  for (const std::string_view n : names) {
    const int v = *evalWeight(w, n);
    steps.push_back(std::max(4, std::abs(v) / 8));
  }
  double best = meanError(samples, w, scale);
  log << "start: error " << best << '\n';
  for (int pass = 1; pass <= passes; ++pass) {
    bool moved = false;
    for (size_t i = 0; i < names.size(); ++i) {
      int& v = *evalWeight(w, names[i]);
      for (const int sign : {1, -1}) {
        bool better = false;
        for (;;) {
          v += sign * steps[i];
          const double e = meanError(samples, w, scale);
          if (e >= best) {
            v -= sign * steps[i];
            break;
          }
          best = e;
          better = moved = true;
        }
        if (better) break;
      }
    }
    log << "pass " << pass << ": error " << best << ' ' << weightList(w, names) << '\n';
    if (!moved) {
      bool any = false;
      for (int& s : steps)
        if (s > 1) s /= 2, any = true;
      if (!any) break;
    }
  }
  return w;
}

std::string weightList(search::EvalWeights w, const std::vector<std::string_view>& names) {
  std::string out;
  for (const std::string_view n : names)
    out += (out.empty() ? "" : ",") + std::string(n) + '=' + std::to_string(*evalWeight(w, n));
  return out;
}

} // namespace korvanu::tune
