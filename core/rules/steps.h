// The squares each piece steps to, as offsets from its own: shared by the
// influence survey and the move generator, so that both read one table.
#pragma once

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

} // namespace korvanu
