// Which language the game speaks: the player's choice, kept in a one-line
// file of its own (Korvanu.ini keeps only the game's options), or the
// desktop's.
#pragma once

#include <string>

namespace korvanu {

enum class LanguageChoice { Desktop, Japanese, English };

// The desktop's language settings as the environment gives them.
struct LanguageEnvironment {
  std::string language, lcAll, lcMessages, lang;
};
LanguageEnvironment thisProgramsLanguageEnvironment();

// The language the desktop asks for: the messages locale (LC_ALL, then
// LC_MESSAGES, then LANG) and, unless that is C or POSIX, the LANGUAGE list
// before it. Japanese for ja and for C, POSIX and C.UTF-8; otherwise the
// first language that has a catalogue under `localeFolder`, and English
// for one that has none.
std::string desktopLanguage(const LanguageEnvironment& env, const std::string& localeFolder);

std::string languageFor(LanguageChoice choice, const LanguageEnvironment& env,
                        const std::string& localeFolder);

// The kept choice; the desktop's when the file is missing, unreadable or
// says anything else.
LanguageChoice readLanguageChoice(const std::string& file);
// Keeps the choice; false when the file cannot be written.
bool writeLanguageChoice(const std::string& file, LanguageChoice choice);

// Reads the kept choice and switches to its language.
LanguageChoice startLanguage(const std::string& choiceFile, const std::string& localeFolder);

} // namespace korvanu
