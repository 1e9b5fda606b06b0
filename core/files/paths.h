// Where the game keeps its files, decided once at start-up.
//
// Portable: the game's own folder, as the build leaves it, holds the program
// beside its sound library and sounds, and the settings file too. Installed:
// the program on the PATH finds its sound library and sounds in the system's
// folders, relative to its own, and each player keeps settings in the
// configuration folder ($XDG_CONFIG_HOME/korvanu) and records in the
// documents folder (XDG_DOCUMENTS_DIR/Korvanu).
#pragma once

#include <string>

namespace korvanu {

inline constexpr const char* SOUND_LIBRARY_NAME = "libKorvanu.so";
inline constexpr const char* SETTINGS_FILE = "Korvanu.ini";

struct Locations {
  // The defaults are the current directory, where the game has always looked.
  std::string soundLibrary = std::string("./") + SOUND_LIBRARY_NAME;
  std::string soundFolder; // empty: the current directory
  std::string settingsFile = SETTINGS_FILE;
  std::string recordsFolder; // empty: the file panel opens in the current directory
  // The player's state folder ($XDG_STATE_HOME/korvanu): a game the records
  // folder cannot take is kept here. Empty without a home: nowhere.
  std::string stateFolder;
  // The message catalogues: locale/ in the game's folder, else the
  // installed tree's share/locale.
  std::string localeFolder = "locale";
  // The player's language choice ($XDG_CONFIG_HOME/korvanu/language), kept
  // apart from the game's options. Empty without a home: not kept.
  std::string languageFile;
};

// What the choice rests on. The program gathers it from /proc/self/exe and
// its environment; tests make it up.
struct Surroundings {
  std::string programFolder;
  std::string home;       // $HOME, or the password entry's home; may be empty
  std::string configHome; // $XDG_CONFIG_HOME as set; ignored unless absolute
  // Where an installed program's sound library and sounds lie, relative to
  // the program's folder (the build fills these in from the install layout).
  std::string libraryFromProgram;
  std::string dataFromProgram;
  std::string stateHome;         // $XDG_STATE_HOME as set; ignored unless absolute
  std::string localeFromProgram; // the installed catalogues, as the two above
};

// Portable when the sound library stands beside the program; the state
// folder is the player's either way. Reads the file
// system (and the user's user-dirs.dirs) but creates nothing.
Locations chooseLocations(const Surroundings& s);
Surroundings thisProgramsSurroundings();
Locations thisProgramsLocations();

// Makes `folder` with any missing parents; true when it then is a folder.
bool makeFolder(const std::string& folder);
// Makes the folder that `file` is to be written in. True for a bare name.
bool makeFolderFor(const std::string& file);

} // namespace korvanu
