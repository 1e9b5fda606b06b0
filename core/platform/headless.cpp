#include "platform/headless.h"

#include <algorithm>
#include <cmath>

namespace korvanu {

void HeadlessPlatform::fillSurface(int colour) {
  draws.push_back({DrawCall::Fill, colour, 0, 0, 0, 0, {}, 0, false});
}

void HeadlessPlatform::drawPicture(int code, double left, double top) {
  draws.push_back({DrawCall::Picture, code, left, top, 0, 0, {}, 0, false});
}

void HeadlessPlatform::drawOutline(int colour, double left, double top, double right,
                                   double bottom) {
  draws.push_back({DrawCall::Outline, colour, left, top, right, bottom, {}, 0, false});
}

void HeadlessPlatform::drawText(const std::string& text, double left, double top, int colour,
                                double points, bool bold) {
  draws.push_back({DrawCall::Text, colour, left, top, 0, 0, text, points, bold});
}

double HeadlessPlatform::textWidth(const std::string& text, double points, bool) {
  // Twenty twips to a point; UTF-8 continuation bytes start no character.
  const auto starts =
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
  return static_cast<double>(starts) * points * 20;
}

void HeadlessPlatform::drawTint(std::uint32_t argb, double left, double top, double right,
                                double bottom) {
  draws.push_back({DrawCall::Tint, 0, left, top, right, bottom, {}, 0, false, argb});
}

void HeadlessPlatform::setMenuChecked(Menu item, bool checked) {
  checks[static_cast<int>(item)] = checked;
}

Answer HeadlessPlatform::messageBox(const std::string& text, const std::string& title,
                                    Buttons buttons, Icon icon) {
  messages.push_back({text, title, buttons, icon});
  if (buttons == Buttons::Ok) return Answer::Ok;
  if (answers.empty()) return Answer::Yes;
  const Answer a = answers.front();
  answers.pop_front();
  return a;
}

void HeadlessPlatform::moveWindow(int left, int top) {
  window.left = left;
  window.top = top;
  moves.push_back(window);
}

void HeadlessPlatform::wait(double seconds) {
  waits.push_back(seconds);
  if (seconds > 0 && std::isfinite(seconds)) clock = std::fmod(clock + seconds, 86400.0);
}

void HeadlessPlatform::startAside(std::function<void(const std::atomic<bool>& stop)> work,
                                  std::function<void()> done) {
  ++asideRuns;
  heldWork = std::move(work);
  heldDone = std::move(done);
  asideStopped = false;
  if (!holdAside) finishAside();
}

bool HeadlessPlatform::finishAside() {
  if (!heldWork) return false;
  auto work = std::move(heldWork);
  auto done = std::move(heldDone);
  heldWork = nullptr;
  heldDone = nullptr;
  const std::atomic<bool> stop{asideStopped};
  work(stop);
  if (done) done();
  return true;
}

} // namespace korvanu
