// korvanu-engine: the game's rules and computer player on standard input and
// output, one command a line, for scripts, analysis and benchmarks.
#include <iostream>
#include <sstream>
#include <string>

#include "engine.h"

int main() {
  std::ios::sync_with_stdio(false);
  korvanu::Engine engine;
  std::string line;
  while (std::getline(std::cin, line)) {
    std::ostringstream reply;
    const bool more = engine.handle(line, reply);
    std::cout << reply.str() << std::flush;
    if (!more) break;
  }
  return 0;
}
