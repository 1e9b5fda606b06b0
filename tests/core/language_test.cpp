#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "language/choice.h"
#include "language/translate.h"
#include "scripted_game.h"
#include "settings/language_option.h"

namespace korvanu {
namespace {

using testing::GameFlow;

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class Languages : public GameFlow {
protected:
  void SetUp() override {
    g.LOCATIONS.languageFile = "config/korvanu/language";
    g.LOCATIONS.localeFolder = KORVANU_LOCALE_DIR;
  }
  // The rest of the tests read the texts as written.
  void TearDown() override { useLanguage("ja", ""); }
};

// Chosen in the menu, taken up at once, kept for the next start in a file
// of its own; Korvanu.ini stays byte for byte. The tests' environment is the
// C locale, so the desktop's language is Japanese.
TEST_F(Languages, TheChoiceHoldsAtOnceAndAfterARestartAndLeavesTheSettingsAlone) {
  const std::string settings = bytesOf(g.LOCATIONS.settingsFile);
  ASSERT_FALSE(settings.empty());
  const struct {
    Menu item;
    const char* kept;
    const char* language;
    const char* options; // the ｵﾌﾟｼｮﾝ menu's caption then
  } rows[] = {
      {Menu::LANG_EN, "en\n", "en", "Options"},
      {Menu::LANG_JA, "ja\n", "ja", "ｵﾌﾟｼｮﾝ"},
      {Menu::LANG_EN, "en\n", "en", "Options"},
      {Menu::LANG_DESKTOP, "desktop\n", "ja", "ｵﾌﾟｼｮﾝ"},
  };
  int changes = 0;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.kept);
    menu(r.item);
    EXPECT_EQ(ui.languageChanges, ++changes) << "the window relabels its menus";
    EXPECT_EQ(languageInUse(), r.language);
    EXPECT_EQ(tr(menuItem(Menu::OPTION).caption), r.options);
    for (Menu item : {Menu::LANG_JA, Menu::LANG_EN, Menu::LANG_DESKTOP})
      EXPECT_EQ(ui.checks[static_cast<int>(item)], item == r.item);
    EXPECT_EQ(bytesOf(g.LOCATIONS.languageFile), r.kept);
    EXPECT_EQ(bytesOf(g.LOCATIONS.settingsFile), settings);

    // The next start.
    useLanguage("ja", "");
    EXPECT_EQ(readLanguageChoice(g.LOCATIONS.languageFile),
              startLanguage(g.LOCATIONS.languageFile, g.LOCATIONS.localeFolder));
    EXPECT_EQ(languageInUse(), r.language);
  }
}

TEST_F(Languages, AKeptChoiceThatCannotBeReadIsTheDesktops) {
  for (const char* kept : {"", "english\n", "en en\n", "\xff\xfe"}) {
    std::filesystem::create_directories("config/korvanu");
    std::ofstream("config/korvanu/language", std::ios::binary) << kept;
    EXPECT_EQ(readLanguageChoice(g.LOCATIONS.languageFile), LanguageChoice::Desktop) << kept;
  }
  std::filesystem::remove_all("config/korvanu");
  std::filesystem::create_directories("config/korvanu/language");
  EXPECT_EQ(readLanguageChoice(g.LOCATIONS.languageFile), LanguageChoice::Desktop) << "a folder";
}

// The desktop's language from its variables: Japanese for ja and the C
// locales, a catalogue's language where there is one, else English.
TEST(DesktopLanguage, FromTheLocaleVariables) {
  const struct {
    LanguageEnvironment env; // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
    const char* language;
  } rows[] = {
      {{"", "", "", ""}, "ja"},
      {{"", "C", "", "en_US.UTF-8"}, "ja"},
      {{"en", "POSIX", "", ""}, "ja"},
      {{"en", "", "C.UTF-8", "en_GB.UTF-8"}, "ja"},
      {{"", "", "", "ja_JP.UTF-8"}, "ja"},
      {{"", "", "", "en_US.UTF-8"}, "en"},
      {{"", "", "", "de_DE.UTF-8"}, "en"},
      {{"", "", "en_GB", "ja_JP.UTF-8"}, "en"},
      {{"ja:en", "", "", "en_US.UTF-8"}, "ja"},
      {{"xx:en_AU", "", "", "de_DE@euro"}, "en"},
  };
  for (const auto& r : rows)
    EXPECT_EQ(desktopLanguage(r.env, KORVANU_LOCALE_DIR), r.language)
        << r.env.language << "|" << r.env.lcAll << "|" << r.env.lcMessages << "|" << r.env.lang;
}

} // namespace
} // namespace korvanu
