// korvanu-tune: the evaluation's weights fitted to level 4's own games.
//
//   korvanu-tune samples [--games N] [--nodes N] [--seed S] [--plies N] [--threads N] > FILE
//   korvanu-tune fit FILE [--drops on|off] [--passes N] [--names LIST] [--start LIST]
//
// `samples` plays the games and writes their quiet positions; `fit` fits the
// scale of the winning chance, then the named weights (all of them unless
// told), starting from the defaults or from --start (a list as the match
// runner's --options takes), and prints the list it found.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "fit.h"
#include "match.h"
#include "positions.h"

namespace {

using namespace korvanu;

template <typename T>
bool number(const char* text, T& out) {
  const std::string_view s(text);
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size();
}

std::vector<std::string_view> split(std::string_view list) {
  std::vector<std::string_view> out;
  for (size_t start = 0; start <= list.size();) {
    const size_t comma = std::min(list.find(',', start), list.size());
    out.push_back(list.substr(start, comma - start));
    start = comma + 1;
  }
  return out;
}

int samples(int argc, char** argv) {
  tune::Recipe r;
  for (int i = 2; i < argc; i += 2) {
    if (i + 1 >= argc) return 2;
    const std::string_view name = argv[i];
    const char* v = argv[i + 1];
    const bool good = name == "--games"     ? number(v, r.games)
                      : name == "--nodes"   ? number(v, r.nodes)
                      : name == "--seed"    ? number(v, r.seed)
                      : name == "--plies"   ? number(v, r.plies)
                      : name == "--threads" ? number(v, r.threads)
                                            : false;
    if (!good) return 2;
  }
  tune::writeSamples(r, std::cout);
  return 0;
}

int fit(int argc, char** argv) {
  if (argc < 3) return 2;
  int drops = -1, passes = 20;
  std::vector<std::string_view> names = evalWeightNames();
  search::SearchOptions start;
  for (int i = 3; i < argc; i += 2) {
    if (i + 1 >= argc) return 2;
    const std::string_view name = argv[i], v = argv[i + 1];
    if (name == "--drops" && (v == "on" || v == "off"))
      drops = v == "on";
    else if (name == "--passes" && number(argv[i + 1], passes))
      continue;
    else if (name == "--names")
      names = split(v);
    else if (name != "--start" || !parseSearchOptions(v, start))
      return 2;
  }
  for (const std::string_view n : names)
    if (!evalWeight(start.weights, n)) return 2;
  std::ifstream in(argv[2]);
  std::vector<tune::Sample> all, chosen;
  std::string why;
  if (!in || !tune::readSamples(in, all, why)) {
    std::fprintf(stderr, "korvanu-tune: %s: %s\n", argv[2], in ? why.c_str() : "cannot read");
    return 1;
  }
  for (const tune::Sample& s : all)
    if (drops < 0 || s.drops == (drops == 1)) chosen.push_back(s);
  const double scale = tune::bestScale(chosen, start.weights);
  std::cout << chosen.size() << " samples, scale " << scale << std::endl;
  const search::EvalWeights w = tune::fit(chosen, start.weights, names, scale, passes, std::cout);
  std::cout << tune::weightList(w, names) << std::endl;
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  int rc = 2;
  if (argc >= 2 && std::strcmp(argv[1], "samples") == 0) rc = samples(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "fit") == 0) rc = fit(argc, argv);
  if (rc == 2)
    std::fputs(
        "korvanu-tune samples [--games N] [--nodes N] [--seed S] [--plies N] "
        "[--threads N] > FILE\n"
        "korvanu-tune fit FILE [--drops on|off] [--passes N] [--names LIST] "
        "[--start LIST]\n",
        stderr);
  return rc;
}
