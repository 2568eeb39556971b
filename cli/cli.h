#pragma once

#include <iosfwd>

namespace mapio::cli {

// Exit statuses of mapio-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitTrouble = 1;  // a warning or an error was shown
inline constexpr int kExitUsage = 2;    // the command line was wrong

// The whole program but for its streams and the question of which of them
// are terminals, so that tests can drive it.
int RunCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err, bool stdinIsTerminal, bool stderrIsTerminal);

}  // namespace mapio::cli
