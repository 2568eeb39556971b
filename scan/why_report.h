// The why job's answer in words, the same on the command line and in the
// windows' "Find ID" box.
#pragma once

#include <string>
#include <string_view>

#include "core/object_kind.h"
#include "scan/why.h"

namespace mapio::scan {

// "'12a' is no ID (such as 2000123 or r-2000123)"
std::string NotAnIdText(std::string_view typed);

// "faces 2000123"
std::string WhatIsAsked(ObjectKind kind, std::string_view id);

// A line per record that maps the ID, its picture and each finding about
// them, then what it comes to; when no record maps it, "no pack maps faces
// 2000123" and the pictures named after the ID. Each line ends in "\n".
std::string WhyText(const WhyOutcome& outcome, ObjectKind kind, std::string_view id);

}  // namespace mapio::scan
