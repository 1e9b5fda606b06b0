// korvanu-engine: the game's rules and computer player on standard input and
// output, one command a line, for scripts, analysis and benchmarks. The
// commands run aside while the input is read on, so `stop` ends a search.
#include <iostream>
#include <string>

#include "engine_loop.h"

int main() {
  std::ios::sync_with_stdio(false);
  // Reading would flush the replies from this thread while the commands'
  // thread writes them.
  std::cin.tie(nullptr);
  korvanu::EngineLoop loop(std::cout);
  for (std::string line; std::getline(std::cin, line);)
    if (!loop.feed(line)) break;
  loop.finish();
  return 0;
}
