// The texts the player reads, in the player's language. Japanese is the
// game's own: a Japanese text is its own key in the message catalogues, so
// in Japanese every text is shown exactly as written in the code.
#pragma once

#include <string>
#include <string_view>

namespace korvanu {

// Marks a text for the catalogue where it is only stored (a table's entry);
// tr() translates it where it is shown.
#define N_(text) text

// `japanese` in the language in use; itself in Japanese or without a
// translation.
const char* tr(const char* japanese);
std::string tr(std::string_view japanese);
// tr(pattern) with its "%s" replaced by `value`.
std::string trFill(const char* pattern, const std::string& value);

// Why something was refused, kept until it is shown: a text (marked N_) with
// "%s" where `value` goes, such as a square or the part that cannot be read.
struct Refusal {
  const char* text = nullptr;
  std::string value;
};
// The reason in the language in use; empty for none.
std::string refusalText(const Refusal& refusal);

// The language in use: "ja" (the start) or a catalogue's, such as "en".
const std::string& languageInUse();
bool inJapanese();

// Switches the texts to `code` from the catalogues under `localeFolder`
// (<code>/LC_MESSAGES/korvanu.mo); "ja" shows the texts as written. Takes
// effect at once, whatever was shown before.
void useLanguage(const std::string& code, const std::string& localeFolder);

} // namespace korvanu
