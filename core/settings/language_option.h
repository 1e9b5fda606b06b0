// ｵﾌﾟｼｮﾝ → 言語: 日本語, English or the desktop's language, kept in a file of
// its own (Korvanu.ini keeps only the game's options) and taken up at once.
#pragma once

#include "language/choice.h"
#include "state/menu.h"

namespace korvanu {

struct Table;

// Checks the item of `choice` alone.
void markLanguageChoice(Table& g, LanguageChoice choice);
// LANG_JA, LANG_EN or LANG_DESKTOP chosen: kept, switched to, the menus and
// the board shown in it.
void chooseLanguage(Table& g, Menu item);

} // namespace korvanu
