#include "sound/sound.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <vector>

#include "sound/sound_library.h"
#include "state/game.h"

namespace korvanu {

namespace {

// Reads the whole file; answers 0 or the system's error number.
int readWholeFile(const std::string& fileName, std::vector<unsigned char>& bytes) {
  std::FILE* f = std::fopen(fileName.c_str(), "rb");
  if (!f) return errno;
  // Sized once: growing chunk by chunk copies a long piece of music several
  // times over and leaves the heap scattered with the old copies.
  std::error_code ec;
  if (const auto size = std::filesystem::file_size(fileName, ec); !ec) bytes.reserve(size);
  errno = 0;
  unsigned char chunk[65536];
  size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + n);
  const int error = std::ferror(f) ? (errno ? errno : EIO) : 0;
  std::fclose(f);
  return error;
}

} // namespace

void ShowSoundWarning(Game& g, const std::string& text) {
  g.ui.messageBox(text, SOUND_WARNING_TITLE, Buttons::Ok, Icon::Exclamation);
}

void InitializeSound(Game& g) {
  g.SOUND_LIB = g.ui.soundLibrary(g.LOCATIONS.soundLibrary);
  // A missing library is the same to the player as a missing device.
  g.SOUND_DEVICE = g.SOUND_LIB ? g.SOUND_LIB->dsInitialize(g.ui.windowHandle()) : 0;
  if (g.SOUND_DEVICE == 0) ShowSoundWarning(g, SOUND_DEVICE_WARNING);
}

int CreateSound(Game& g, const std::string& fileName, int flags) {
  if (g.SOUND_DEVICE == 0) return 0;
  // A missing sound is silently left out; any other failure is reported.
  std::error_code ec;
  if (!std::filesystem::exists(fileName, ec)) return 0;
  std::vector<unsigned char> image;
  if (const int error = readWholeFile(fileName, image)) {
    ShowSoundWarning(g, std::strerror(error));
    return 0;
  }
  // An empty file has nothing to play; one too large for the call is no sound of ours.
  if (image.empty() || image.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    return 0;
  return g.SOUND_LIB->dsCreateDSB(g.SOUND_DEVICE, image.data(), static_cast<int32_t>(image.size()),
                                  flags);
}

void TerminateSound(Game& g) {
  if (g.SOUND_DEVICE != 0) g.SOUND_LIB->dsTerminate(g.SOUND_DEVICE);
  g.SOUND_DEVICE = 0;
}

void loadSounds(Game& g) {
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

void startSounds(Game& g) {
  loadSounds(g);
  // The options were read before there was any music to start.
  if (isChecked(g, Menu::BGM)) loopSound(g, g.SOUND_BGM);
}

namespace {

void call(Game& g, dsId_fn SoundApi::*fn, int id) {
  if (id != 0 && g.SOUND_LIB) (g.SOUND_LIB->*fn)(id);
}

} // namespace

void playSound(Game& g, int id) { call(g, &SoundApi::dsPlay, id); }
void loopSound(Game& g, int id) { call(g, &SoundApi::dsPlayLooping, id); }
void stopSound(Game& g, int id) { call(g, &SoundApi::dsStop, id); }

void 終了処理(Game& g) {
  for (int* id :
       {&g.SOUND_OTHER, &g.SOUND_FORBIDDEN, &g.SOUND_PIECE, &g.SOUND_EXPLOSION, &g.SOUND_BGM}) {
    call(g, &SoundApi::dsFree, *id);
    *id = 0;
  }
  TerminateSound(g);
}

} // namespace korvanu
