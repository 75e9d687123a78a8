#pragma once

#include <QStringList>
#include <optional>

// The program's options. --help and --version are answered before any window or
// display is touched; anything else it does not know ends it with a message.
namespace CommandLine {

// The exit code when the command line is answered already (help, version, a mistake);
// nothing when the program should start.
std::optional<int> Answer(const QStringList &arguments);

} // namespace CommandLine
