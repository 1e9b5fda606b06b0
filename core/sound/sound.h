// Loading, playing and releasing the game's five sounds through the sound
// library. Every call with id 0 does nothing, so a silent game needs no checks.
#pragma once

#include <string>

#include "language/translate.h"

namespace korvanu {

struct Game;
struct Table;

// The sound files, looked up in the sound folder of the game's locations.
inline constexpr const char* FILE_SOUND_OTHER = "その他.wav";
inline constexpr const char* FILE_SOUND_FORBIDDEN = "禁止.wav";
inline constexpr const char* FILE_SOUND_PIECE = "駒打音.wav";
inline constexpr const char* FILE_SOUND_EXPLOSION = "爆発音.wav";
inline constexpr const char* FILE_SOUND_BGM = "BGM.wav";

inline constexpr const char* SOUND_WARNING_TITLE = "Korvanu.dll";
inline constexpr const char* SOUND_DEVICE_WARNING =
    N_("Direct Soundインターフェースが作成できません。");

void InitializeSound(Table& g);
int CreateSound(Table& g, const std::string& fileName, int flags);
void TerminateSound(Table& g);
void ShowSoundWarning(Table& g, const std::string& text);

// The device, then the five sounds in order.
void loadSounds(Table& g);

// The last step of start-up, once the window is on screen: loadSounds, then
// the music if its menu item is checked by then. Opening the device and
// decoding take long enough to hold the window back if done before it shows.
void startSounds(Table& g);

// Silent while moves are replayed (Game::REPLAYING).
void playSound(const Game& g, int id);
void loopSound(const Game& g, int id);
void stopSound(const Game& g, int id);

// Frees the five sounds in their order, then the device.
void 終了処理(Table& g);

} // namespace korvanu
