// Writes the dialog templates of res/ as resource-compiler statements, so
// the Windows build and the other front ends share one set of tables.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "res/dialog_template.h"

namespace mapio::make_rc {

// A quoted rc string: "" for a quote, C escapes for backslash, LF and tab.
// Empty when the text holds another control character.
std::optional<std::string> QuoteRcText(std::string_view text);

// Script text, or why it could not be written (a style the control's class
// lacks, a text rc cannot hold).
struct RcText {
  std::string text;
  std::string error;
};

RcText ControlStatement(const res::ControlTemplate& control);
RcText DialogResource(const res::DialogTemplate& dialog);

// Every template of Mapio.exe, in resource-id order, as one script.
RcText DialogsScript();

}  // namespace mapio::make_rc
