// What the program answers on the terminal: --help and --version before any
// window opens, and arguments that neither it nor Qt takes.
#pragma once

#include <QStringList>
#include <optional>

namespace korvanu {

struct Locations;

// The exit status when the command line asked for help or the version, which
// have then been printed; nothing when the game is to start.
std::optional<int> answerCommandLine(int argc, char** argv, const Locations& places);

// Once Qt has taken its own options, anything left over is a mistake: the
// exit status after saying so, or nothing.
std::optional<int> refuseUnknownArguments(const QStringList& arguments);

} // namespace korvanu
