// The program's command-line face: markup conversions for scripts, without a window.
#pragma once

#include <QStringList>

#include <optional>

namespace commandline {

// Runs a command-line request and returns its exit status, or nothing when the arguments ask
// for the editor. Writes raw bytes to standard output and one line per error to standard error.
std::optional<int> run(const QStringList &arguments);

} // namespace commandline
