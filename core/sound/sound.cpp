#include "sound/sound.h"

#include <cstring>
#include <filesystem>
#include <limits>

#include "files/regular_file.h"
#include "platform/table.h"
#include "sound/sound_library.h"

namespace korvanu {

void ShowSoundWarning(Table& g, const std::string& text) {
  g.ui.messageBox(text, SOUND_WARNING_TITLE, Buttons::Ok, Icon::Exclamation);
}

void InitializeSound(Table& g) {
  g.SOUND_LIB = g.ui.soundLibrary(g.LOCATIONS.soundLibrary);
  // A missing library is the same to the player as a missing device.
  g.SOUND_DEVICE = g.SOUND_LIB ? g.SOUND_LIB->dsInitialize(g.ui.windowHandle()) : 0;
  if (g.SOUND_DEVICE == 0) ShowSoundWarning(g, tr(SOUND_DEVICE_WARNING));
}

int CreateSound(Table& g, const std::string& fileName, int flags) {
  if (g.SOUND_DEVICE == 0) return 0;
  // A missing sound is silently left out; any other failure is reported.
  std::error_code ec;
  if (!std::filesystem::exists(fileName, ec)) return 0;
  std::string image;
  if (const int error = readRegularFile(fileName, image)) {
    ShowSoundWarning(g, std::strerror(error));
    return 0;
  }
  // An empty file has nothing to play; one too large for the call is no sound of ours.
  if (image.empty() || image.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    return 0;
  return g.SOUND_LIB->dsCreateDSB(g.SOUND_DEVICE, image.data(), static_cast<int32_t>(image.size()),
                                  flags);
}

void TerminateSound(Table& g) {
  if (g.SOUND_DEVICE != 0) g.SOUND_LIB->dsTerminate(g.SOUND_DEVICE);
  g.SOUND_DEVICE = 0;
}

void loadSounds(Table& g) {
  InitializeSound(g);
  const auto file = [&g](const char* name) {
    return (std::filesystem::path(g.LOCATIONS.soundFolder) / name).string();
  };
  g.SOUND_OTHER = CreateSound(g, file(FILE_SOUND_OTHER), SOUND_FLAGS_EFFECT);
  g.SOUND_FORBIDDEN = CreateSound(g, file(FILE_SOUND_FORBIDDEN), SOUND_FLAGS_EFFECT);
  g.SOUND_PIECE = CreateSound(g, file(FILE_SOUND_PIECE), SOUND_FLAGS_EFFECT);
  g.SOUND_EXPLOSION = CreateSound(g, file(FILE_SOUND_EXPLOSION), SOUND_FLAGS_EFFECT);
  g.SOUND_BGM = CreateSound(g, file(FILE_SOUND_BGM), SOUND_FLAGS_MUSIC);
}

void startSounds(Table& g) {
  loadSounds(g);
  // The options were read before there was any music to start.
  if (isChecked(g, Menu::BGM)) loopSound(g, g.SOUND_BGM);
}

namespace {

void call(const Game& g, dsId_fn SoundApi::*fn, int id) {
  if (id != 0 && g.SOUND_LIB) (g.SOUND_LIB->*fn)(id);
}

} // namespace

void playSound(const Game& g, int id) {
  if (!g.REPLAYING) call(g, &SoundApi::dsPlay, id);
}
void loopSound(const Game& g, int id) { call(g, &SoundApi::dsPlayLooping, id); }
void stopSound(const Game& g, int id) { call(g, &SoundApi::dsStop, id); }

void 終了処理(Table& g) {
  for (int* id :
       {&g.SOUND_OTHER, &g.SOUND_FORBIDDEN, &g.SOUND_PIECE, &g.SOUND_EXPLOSION, &g.SOUND_BGM}) {
    call(g, &SoundApi::dsFree, *id);
    *id = 0;
  }
  TerminateSound(g);
}

} // namespace korvanu
