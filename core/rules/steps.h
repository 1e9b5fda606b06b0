// The squares each piece steps to, as offsets from its own: shared by the
// influence survey and the move generator, so that both read one table.
#pragma once

#include <span>

namespace korvanu {

struct Offset {
  int dx, dy;
};

// Step squares in the order the survey examines them.
constexpr Offset SITA_HU_STEPS[] = {{0, -1}};
constexpr Offset UE_HU_STEPS[] = {{0, 1}};
constexpr Offset SITA_KEI_STEPS[] = {{-1, -2}, {1, -2}};
constexpr Offset UE_KEI_STEPS[] = {{-1, 2}, {1, 2}};
constexpr Offset SITA_GIN_STEPS[] = {{0, -1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
constexpr Offset UE_GIN_STEPS[] = {{0, 1}, {-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
constexpr Offset SITA_KIN_STEPS[] = {{0, -1}, {-1, -1}, {1, -1}, {0, 1}, {-1, 0}, {1, 0}};
constexpr Offset UE_KIN_STEPS[] = {{0, -1}, {0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}};
constexpr Offset ORTHOGONAL[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
// Also the order in which a bishop walks its lines.
constexpr Offset DIAGONAL[] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
constexpr Offset OU_STEPS[] = {{0, -1}, {-1, -1}, {1, -1}, {0, 1},
                               {-1, 1}, {1, 1},   {-1, 0}, {1, 0}};
// A lance's one line, straight ahead.
constexpr Offset SITA_AHEAD[] = {{0, -1}};
constexpr Offset UE_AHEAD[] = {{0, 1}};

// How a piece moves: the squares it steps to and the lines it runs along
// until a piece stops it. Codes as on the board, with their side.
struct PieceMoves {
  std::span<const Offset> steps, lines;
};

constexpr PieceMoves movesOf(int code) {
  const bool upper = code > 0;
  switch (code < 0 ? -code : code) {
  case 10: return {upper ? std::span<const Offset>(UE_HU_STEPS) : SITA_HU_STEPS, {}};
  case 20: return {{}, upper ? std::span<const Offset>(UE_AHEAD) : SITA_AHEAD};
  case 30: return {upper ? std::span<const Offset>(UE_KEI_STEPS) : SITA_KEI_STEPS, {}};
  case 40: return {upper ? std::span<const Offset>(UE_GIN_STEPS) : SITA_GIN_STEPS, {}};
  case 11:
  case 21:
  case 31:
  case 41:
  case 50: return {upper ? std::span<const Offset>(UE_KIN_STEPS) : SITA_KIN_STEPS, {}};
  case 60: return {{}, DIAGONAL};
  case 61: return {ORTHOGONAL, DIAGONAL};
  case 70: return {{}, ORTHOGONAL};
  case 71: return {DIAGONAL, ORTHOGONAL};
  case 80: return {OU_STEPS, {}};
  default: return {}; // not a piece: it moves nowhere
  }
}

} // namespace korvanu
