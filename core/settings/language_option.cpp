#include "settings/language_option.h"

#include "language/translate.h"
#include "platform/table.h"
#include "view/board_view.h"

namespace korvanu {

namespace {

constexpr struct {
  Menu item;
  LanguageChoice choice;
} ITEMS[] = {{Menu::LANG_JA, LanguageChoice::Japanese},
             {Menu::LANG_EN, LanguageChoice::English},
             {Menu::LANG_DESKTOP, LanguageChoice::Desktop}};

} // namespace

void markLanguageChoice(Table& g, LanguageChoice choice) {
  for (const auto& it : ITEMS) setChecked(g, it.item, it.choice == choice);
}

void chooseLanguage(Table& g, Menu item) {
  for (const auto& it : ITEMS) {
    if (it.item != item) continue;
    // A choice that cannot be kept still holds until the program ends.
    writeLanguageChoice(g.LOCATIONS.languageFile, it.choice);
    const std::string& folder = g.LOCATIONS.localeFolder;
    useLanguage(languageFor(it.choice, thisProgramsLanguageEnvironment(), folder), folder);
    markLanguageChoice(g, it.choice);
    g.ui.languageChanged();
    画面_再描画(g.ui, g);
  }
}

} // namespace korvanu
