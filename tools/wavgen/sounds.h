// The five sounds the game loads from its folder, by file name.
#ifndef KORVANU_WAVGEN_SOUNDS_H
#define KORVANU_WAVGEN_SOUNDS_H

#include <array>

#include "synth.h"

namespace korvanu::wavgen {

Sound renderChime();      // a notice: two soft bell strikes
Sound renderBuzzer();     // a refused move
Sound renderPieceClick(); // a piece put down on the board
Sound renderBlast();      // an explosion
Sound renderBgm();        // background music, made to loop end to start

struct Recipe {
  const char* fileName; // UTF-8, exactly as the game asks for it
  Sound (*render)();
};

inline constexpr std::array<Recipe, 5> kRecipes{{
    {"その他.wav", renderChime},
    {"禁止.wav", renderBuzzer},
    {"駒打音.wav", renderPieceClick},
    {"爆発音.wav", renderBlast},
    {"BGM.wav", renderBgm},
}};

} // namespace korvanu::wavgen

#endif
