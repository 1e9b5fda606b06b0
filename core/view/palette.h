// The 16-colour palette the game's colour numbers index.
#pragma once

namespace korvanu {

struct Rgb {
  int r, g, b;
};

// Colours outside 0..15 come out black.
constexpr Rgb paletteColour(int index) {
  constexpr Rgb PALETTE[16] = {
      {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0}, {128, 0, 128},
      {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},     {0, 255, 0}, {0, 255, 255},
      {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
  };
  return index >= 0 && index < 16 ? PALETTE[index] : Rgb{0, 0, 0};
}

} // namespace korvanu
