#include "play/events.h"

#include "platform/table.h"

namespace korvanu {

void handleEvent(Table& g, std::function<void()> event) {
  if (g.EVENT_DEPTH > 0) {
    g.EVENTS_WAITING.push_back(std::move(event));
    return;
  }
  ++g.EVENT_DEPTH;
  event();
  while (!g.EVENTS_WAITING.empty() && !g.QUITTING) {
    std::function<void()> next = std::move(g.EVENTS_WAITING.front());
    g.EVENTS_WAITING.pop_front();
    next();
  }
  g.EVENTS_WAITING.clear();
  --g.EVENT_DEPTH;
}

} // namespace korvanu
