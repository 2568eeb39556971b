// Names as the output shows them: a name may hold any byte but a separator
// and NUL, and a line end or a terminal's escape sequence in one would
// forge a line of the output or steer the terminal. Every job's words show
// names through here, on the command line and in the windows alike.
#pragma once

#include <string>
#include <string_view>

namespace mapio {

// `text` appended to `out` on one line: control characters are shown as C
// writes them ("\n", "\r", "\t", "\x1b"), every other byte as it is.
void AppendShown(std::string& out, std::string_view text);
std::string Shown(std::string_view text);

}  // namespace mapio
