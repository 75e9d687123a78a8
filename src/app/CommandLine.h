#pragma once

#include <QStringList>
#include <optional>

// The program's options. --help and --version are answered before any window or
// display is touched, and so are the commands for the running program (record, stop,
// toggle, status, note), which are handed to it, started in the tray when none runs;
// anything else it does not know ends it with a message.
namespace CommandLine {

struct Outcome
{
    std::optional<int> exitCode; // answered already: end with this
    bool tray = false;           // start in the tray, the window hidden
};

Outcome Answer(int argc, char *argv[]);

} // namespace CommandLine
