#include "files/paths.h"

#include <pwd.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "files/regular_file.h"

namespace korvanu {

namespace fs = std::filesystem;

namespace {

std::string joined(const std::string& folder, const std::string& name) {
  return (fs::path(folder) / name).lexically_normal().string();
}

// An XDG base folder: the variable when it is an absolute path (a relative
// one is to be ignored), else its default under the home. Empty without a home.
std::string baseFolder(const std::string& set, const std::string& home, const char* byDefault) {
  if (!set.empty() && set.front() == '/') return set;
  return home.empty() ? std::string() : joined(home, byDefault);
}

// The value of one line of user-dirs.dirs: XDG_DOCUMENTS_DIR="$HOME/yyy" or
// "/yyy", yyy shell-escaped. Empty for anything else.
std::string userDirValue(const std::string& line, const std::string& key, const std::string& home) {
  const std::string start = key + "=\"";
  if (line.rfind(start, 0) != 0 || line.size() < start.size() + 1 || line.back() != '"') return {};
  std::string value;
  for (size_t i = start.size(); i + 1 < line.size(); ++i) {
    if (line[i] == '\\' && i + 2 < line.size()) ++i;
    value += line[i];
  }
  if (value.rfind("$HOME", 0) == 0) return home + value.substr(5);
  return value.starts_with('/') ? value : std::string();
}

// The user's documents folder as the desktop names it (it may be a
// translated name), or ~/Documents.
std::string documentsFolder(const Surroundings& s, const std::string& config) {
  std::string dirs;
  readRegularFile(joined(config, "user-dirs.dirs"), dirs, 1 << 16);
  std::istringstream lines(dirs);
  for (std::string line; std::getline(lines, line);) {
    const std::string value = userDirValue(line, "XDG_DOCUMENTS_DIR", s.home);
    if (!value.empty()) return value;
  }
  return joined(s.home, "Documents");
}

} // namespace

Locations chooseLocations(const Surroundings& s) {
  Locations places;
  if (const std::string state = baseFolder(s.stateHome, s.home, ".local/state"); !state.empty())
    places.stateFolder = joined(state, "korvanu");
  const std::string config = baseFolder(s.configHome, s.home, ".config");
  if (!config.empty()) places.languageFile = joined(joined(config, "korvanu"), "language");
  // A program that cannot tell where it is looks where it always did.
  if (s.programFolder.empty()) return places;
  std::error_code ec;
  if (fs::exists(joined(s.programFolder, SOUND_LIBRARY_NAME), ec)) {
    places.soundLibrary = joined(s.programFolder, SOUND_LIBRARY_NAME);
    places.soundFolder = s.programFolder;
    places.settingsFile = joined(s.programFolder, SETTINGS_FILE);
    places.localeFolder = joined(s.programFolder, "locale");
    return places;
  }
  places.soundLibrary = joined(joined(s.programFolder, s.libraryFromProgram), SOUND_LIBRARY_NAME);
  places.soundFolder = joined(s.programFolder, s.dataFromProgram);
  places.localeFolder = joined(s.programFolder, s.localeFromProgram);
  // Without a home the player's files stay in the current directory.
  if (!config.empty()) places.settingsFile = joined(joined(config, "korvanu"), SETTINGS_FILE);
  if (!s.home.empty()) places.recordsFolder = joined(documentsFolder(s, config), "Korvanu");
  return places;
}

Surroundings thisProgramsSurroundings() {
  Surroundings s;
  std::error_code ec;
  s.programFolder = fs::read_symlink("/proc/self/exe", ec).parent_path().string();
  if (const char* home = std::getenv("HOME"); home && *home) {
    s.home = home;
  } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
    s.home = pw->pw_dir;
  }
  if (const char* config = std::getenv("XDG_CONFIG_HOME")) s.configHome = config;
  if (const char* state = std::getenv("XDG_STATE_HOME")) s.stateHome = state;
  s.libraryFromProgram = KORVANU_LIBRARY_FROM_PROGRAM;
  s.dataFromProgram = KORVANU_DATA_FROM_PROGRAM;
  s.localeFromProgram = KORVANU_LOCALE_FROM_PROGRAM;
  return s;
}

Locations thisProgramsLocations() { return chooseLocations(thisProgramsSurroundings()); }

bool makeFolder(const std::string& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  return fs::is_directory(folder, ec);
}

bool makeFolderFor(const std::string& file) {
  const fs::path folder = fs::path(file).parent_path();
  return folder.empty() || makeFolder(folder.string());
}

} // namespace korvanu
