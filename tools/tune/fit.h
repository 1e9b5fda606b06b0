// The logistic fit: how well the evaluation of each sample foretells its
// game's result, and the weights moved one at a time while that improves.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "positions.h"
#include "search/evaluation.h"

namespace korvanu::tune {

// The mean squared error of the results against the winning chance the
// evaluation gives, 1 / (1 + 10^(-scale * score / 400)).
double meanError(const std::vector<Sample>& samples, const search::EvalWeights& w, double scale);
// The scale that fits the samples best with these weights.
double bestScale(const std::vector<Sample>& samples, const search::EvalWeights& w);

// Moves each named weight up or down by its step while the error falls,
// `passes` times over the names, halving the steps when a pass finds
// nothing; tells `log` of each pass.
search::EvalWeights fit(const std::vector<Sample>& samples, search::EvalWeights w,
                        const std::vector<std::string_view>& names, double scale, int passes,
                        std::ostream& log);

// The named weights as a list the match runner's --options take.
std::string weightList(search::EvalWeights w, const std::vector<std::string_view>& names);

} // namespace korvanu::tune
