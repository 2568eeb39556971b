// A check's report as text: one line per finding in the form compilers use,
// so that editors can jump to it, and one summary line per folder.
#pragma once

#include <string>
#include <string_view>

#include "checker/check_pack.h"

namespace mapio::checker {

// "FOLDER/config.xml:LINE: CATEGORY: detail"; a finding without a line
// names its picture ("FOLDER/NAME: unmapped: detail") or config.xml.
std::string FindingLine(const PackReport& report, const Finding& finding);
// The same line appended to `out`, which a long report reuses.
void AppendFindingLine(const PackReport& report, const Finding& finding, std::string& out);
// The same line for a pack at `folder` below the folder a report is about,
// its files named from there: "faces/config.xml:12: ..."; "" for a pack
// that is that folder itself ("config.xml:12: ...").
void AppendFindingLineBelow(std::string_view folder, const Finding& finding, std::string& out);

// An other-kind finding's detail: "a record of logos, not of faces".
std::string OtherKindDetail(ObjectKind recordKind, ObjectKind checkedKind);

// "FOLDER: 12 records, 14 pictures, 3 findings"
std::string SummaryLine(const PackReport& report);

}  // namespace mapio::checker
