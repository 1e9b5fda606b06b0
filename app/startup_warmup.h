// Work the first picture needs that does not depend on the window, done on a
// second thread while the first builds it: the font database with the menu
// font's fallback for Japanese, and the pictures of the opening position.
#pragma once

#include <QImage>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace korvanu {

class StartupWarmup {
public:
  // Starts at once, drawing at `scale`.
  explicit StartupWarmup(int scale);
  ~StartupWarmup();
  StartupWarmup(const StartupWarmup&) = delete;
  StartupWarmup& operator=(const StartupWarmup&) = delete;

  // The picture of `code` at `scale` if this draws it, waiting for it if need
  // be; a null image for anything else, and for a picture already taken.
  QImage take(int code, int scale);

private:
  void run();

  const int scale_;
  std::vector<int> codes_;  // in the order the first picture needs them
  std::mutex mutex_;
  std::condition_variable drawn_;
  std::map<int, QImage> pictures_;
  size_t done_ = 0;  // codes_[0..done_) are drawn
  std::thread thread_;
};

} // namespace korvanu
