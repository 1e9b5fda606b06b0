// The start-up work that needs no screen: the window's first picture (built
// and drawn on Qt's offscreen platform, as the window does before it shows)
// and what follows the first paint, the sound library's device and sounds.
// Run from the build folder: korvanu_startup_bench [--benchmark_filter=...].
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <vector>

#include "korvanu_sound.h"
#include "main_window.h"
#include "pictures/pictures.h"
#include "state/constants.h"
#include "surface.h"

namespace korvanu {
namespace {

// The window as main() builds it, and Form_Load: everything drawn before
// the window shows. Each run in a fresh folder, so the settings file is
// written as on a first start.
void FirstPicture(benchmark::State& state) {
  for (auto _ : state) {
    QTemporaryDir dir;
    const QString home = QDir::currentPath();
    QDir::setCurrent(dir.path());
    MainWindow window(1);
    window.load();
    benchmark::DoNotOptimize(window.surface().image().constBits());
    state.PauseTiming();
    QDir::setCurrent(home);
    state.ResumeTiming();
  }
}
BENCHMARK(FirstPicture)->Unit(benchmark::kMillisecond);

// The pictures the opening position draws (the upper pieces are the lower
// ones turned round), drawn without any cache, at scales 1 and 2.
void OpeningPictures(benchmark::State& state) {
  const int scale = int(state.range(0));
  const int codes[] = {BG_MIDORI, EMPTY, PIC_TITLE, -10, -20, -30, -40, -50, -60, -70, -80};
  for (auto _ : state)
    for (int code : codes) benchmark::DoNotOptimize(renderPicture(code, scale).constBits());
}
BENCHMARK(OpeningPictures)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The background as the first picture lays it: every cell off the board,
// pictures already rendered.
void BackgroundTiles(benchmark::State& state) {
  Surface surface(1);
  for (auto _ : state)
    for (int x = -3; x <= 20; ++x)
      for (int y = -2; y <= 15; ++y)
        if (x < 1 || x > 9 || y < 1 || y > 9)
          surface.drawPicture(BG_MIDORI, BOARD_LEFT + x * SQUARE_WIDTH,
                              BOARD_TOP + y * SQUARE_HEIGHT);
}
BENCHMARK(BackgroundTiles)->Unit(benchmark::kMicrosecond);

// The coordinate labels and clocks the first picture writes.
void SurfaceText(benchmark::State& state) {
  Surface surface(1);
  const QString labels[] = {QStringLiteral("九"), QStringLiteral("5"), QStringLiteral("00:00:00")};
  for (auto _ : state)
    for (const QString& text : labels) {
      surface.drawText(text, 6300, 4000, COLOR_LIGHT_YELLOW, 12, true);
      benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(SurfaceText)->Unit(benchmark::kMicrosecond);

std::vector<unsigned char> gameSound(const char* name) {
  std::ifstream file(std::string(KORVANU_GAME_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// What the window starts once it has painted: the device, the five sounds
// (the music kept as it is, the effects decoded), and closing it all again.
void SoundStart(benchmark::State& state) {
  const std::vector<unsigned char> images[] = {gameSound("その他.wav"), gameSound("禁止.wav"),
                                               gameSound("駒打音.wav"), gameSound("爆発音.wav"),
                                               gameSound("BGM.wav")};
  for (auto _ : state) {
    const std::int32_t device = dsInitialize(0);
    if (device == 0) {
      state.SkipWithError("no audio device (set SDL_AUDIODRIVER=dummy)");
      break;
    }
    for (size_t i = 0; i < std::size(images); ++i)
      benchmark::DoNotOptimize(dsCreateDSB(device, images[i].data(), std::int32_t(images[i].size()),
                                           i + 1 == std::size(images) ? 1 : 3));
    dsTerminate(device);
  }
}
BENCHMARK(SoundStart)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace korvanu

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
