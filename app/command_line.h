// What the program answers on the terminal: --help and --version before any
// window opens, and arguments that neither it nor Qt takes.
#pragma once

#include <QStringList>
#include <optional>

namespace korvanu {

struct Locations;
struct NetStart;

// The exit status when the command line asked for help or the version, which
// have then been printed, or held an argument neither the program nor Qt
// takes, which has been refused; nothing when the game is to start, with
// the network game asked for in `net`. Reads only argv: no display is needed.
std::optional<int> answerCommandLine(int argc, char** argv, const Locations& places,
                                     NetStart* net = nullptr);

// Once Qt has taken its own options, anything left over but the network
// options (an option of another platform's, say) is a mistake: the exit
// status after saying so, or nothing.
std::optional<int> refuseUnknownArguments(const QStringList& arguments);

} // namespace korvanu
