// Everything a search needs of the rules, on a bare position: make and take
// back with the key, the move generator, who has won.
#pragma once

#include "rules/make_move.h"
#include "rules/move_gen.h"
