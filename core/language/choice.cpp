#include "language/choice.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "files/paths.h"
#include "files/regular_file.h"
#include "language/translate.h"

namespace korvanu {

namespace {

// What the file holds for each choice.
constexpr struct {
  LanguageChoice choice;
  const char* line;
} KEPT[] = {{LanguageChoice::Desktop, "desktop"},
            {LanguageChoice::Japanese, "ja"},
            {LanguageChoice::English, "en"}};

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool isCLocale(const std::string& locale) {
  return locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

bool hasCatalogue(const std::string& localeFolder, const std::string& code) {
  std::error_code ec;
  return !code.empty() &&
         std::filesystem::is_regular_file(
             std::filesystem::path(localeFolder) / code / "LC_MESSAGES" / "korvanu.mo", ec);
}

// "ja" for Japanese, a code with a catalogue, or empty for neither.
std::string knownLanguage(const std::string& name, const std::string& localeFolder) {
  // ll_CC.codeset@modifier: the catalogue is looked for as ll_CC, then ll.
  const std::string full = name.substr(0, name.find_first_of(".@"));
  const std::string base = full.substr(0, full.find('_'));
  if (base == "ja") return "ja";
  if (hasCatalogue(localeFolder, full)) return full;
  if (hasCatalogue(localeFolder, base)) return base;
  return {};
}

} // namespace

LanguageEnvironment thisProgramsLanguageEnvironment() {
  return {variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG")};
}

std::string desktopLanguage(const LanguageEnvironment& env, const std::string& localeFolder) {
  const std::string& locale = !env.lcAll.empty()        ? env.lcAll
                              : !env.lcMessages.empty() ? env.lcMessages
                                                        : env.lang;
  if (isCLocale(locale)) return "ja";
  std::string names = env.language.empty() ? locale : env.language + ":" + locale;
  for (size_t start = 0; start <= names.size();) {
    const size_t end = std::min(names.find(':', start), names.size());
    if (const std::string code = knownLanguage(names.substr(start, end - start), localeFolder);
        !code.empty())
      return code;
    start = end + 1;
  }
  return "en";
}

std::string languageFor(LanguageChoice choice, const LanguageEnvironment& env,
                        const std::string& localeFolder) {
  switch (choice) {
  case LanguageChoice::Japanese: return "ja";
  case LanguageChoice::English: return "en";
  case LanguageChoice::Desktop: break;
  }
  return desktopLanguage(env, localeFolder);
}

LanguageChoice readLanguageChoice(const std::string& file) {
  std::string text;
  if (file.empty() || readRegularFile(file, text, 64) != 0) return LanguageChoice::Desktop;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  for (const auto& k : KEPT)
    if (text == k.line) return k.choice;
  return LanguageChoice::Desktop;
}

bool writeLanguageChoice(const std::string& file, LanguageChoice choice) {
  if (file.empty() || !makeFolderFor(file)) return false;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  for (const auto& k : KEPT)
    if (k.choice == choice) out << k.line << '\n';
  return static_cast<bool>(out.flush());
}

LanguageChoice startLanguage(const std::string& choiceFile, const std::string& localeFolder) {
  const LanguageChoice choice = readLanguageChoice(choiceFile);
  useLanguage(languageFor(choice, thisProgramsLanguageEnvironment(), localeFolder), localeFolder);
  return choice;
}

} // namespace korvanu
