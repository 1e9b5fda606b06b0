#include "language/translate.h"

#include <libintl.h>
#include <clocale>
#include <cstdlib>

namespace korvanu {

namespace {

constexpr const char* DOMAIN = "korvanu";

std::string& inUse() {
  static std::string code = "ja";
  return code;
}

} // namespace

const char* tr(const char* japanese) {
  if (inJapanese() || japanese == nullptr || *japanese == '\0') return japanese;
  return dgettext(DOMAIN, japanese);
}

std::string tr(std::string_view japanese) { return tr(std::string(japanese).c_str()); }

std::string trFill(const char* pattern, const std::string& value) {
  std::string text = tr(pattern);
  if (const size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, value);
  return text;
}

std::string refusalText(const Refusal& refusal) {
  return refusal.text ? trFill(refusal.text, refusal.value) : std::string();
}

const std::string& languageInUse() { return inUse(); }

bool inJapanese() { return inUse() == "ja"; }

void useLanguage(const std::string& code, const std::string& localeFolder) {
  inUse() = code.empty() ? "ja" : code;
  if (inJapanese()) return;
  // gettext takes the catalogue's language from LANGUAGE, which it heeds in
  // any messages locale but "C"; C.UTF-8 is there on every system, where the
  // desktop's own locale may never have been generated.
  if (!std::setlocale(LC_MESSAGES, "C.UTF-8")) std::setlocale(LC_MESSAGES, "C.utf8");
  setenv("LANGUAGE", inUse().c_str(), 1);
  bindtextdomain(DOMAIN, localeFolder.c_str());
  bind_textdomain_codeset(DOMAIN, "UTF-8");
  // Setting the domain again drops the translations gettext has kept.
  textdomain(DOMAIN);
}

} // namespace korvanu
