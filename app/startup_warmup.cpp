#include "startup_warmup.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>

#include "pictures/pictures.h"
#include "state/constants.h"

namespace korvanu {

StartupWarmup::StartupWarmup(int scale)
    // The default background, the empty square, the lower side's pieces (the
    // upper side's are turned from them), then the title.
    : scale_(scale), codes_{BG_MIDORI,      EMPTY,          CODE_SITA_HU,  CODE_SITA_KYOU,
                            CODE_SITA_KEI,  CODE_SITA_GIN,  CODE_SITA_KIN, CODE_SITA_KAKU,
                            CODE_SITA_SYA,  CODE_SITA_OU,   PIC_TITLE},
      thread_([this] { run(); }) {}

StartupWarmup::~StartupWarmup() { thread_.join(); }

void StartupWarmup::run() {
  // Filling the font database is the dearest part of the first text drawn.
  QFontDatabase::families();
  QFontMetricsF(QGuiApplication::font()).horizontalAdvance(QStringLiteral("対局"));
  for (size_t i = 0; i < codes_.size(); ++i) {
    QImage picture = renderPicture(codes_[i], scale_);
    const std::lock_guard lock(mutex_);
    pictures_.emplace(codes_[i], std::move(picture));
    done_ = i + 1;
    drawn_.notify_all();
  }
}

QImage StartupWarmup::take(int code, int scale) {
  const auto at = std::find(codes_.begin(), codes_.end(), code);
  if (scale != scale_ || at == codes_.end()) return {};
  const size_t index = size_t(at - codes_.begin());
  std::unique_lock lock(mutex_);
  drawn_.wait(lock, [&] { return done_ > index; });
  const auto it = pictures_.find(code);
  if (it == pictures_.end()) return {};
  QImage picture = std::move(it->second);
  pictures_.erase(it);
  return picture;
}

} // namespace korvanu
