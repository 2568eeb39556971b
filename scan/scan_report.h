// A scan's report as text, the same on the command line and in the
// windows: the packs' findings named from the scanned folder, the clash
// lines and the summary.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "checker/check_pack.h"
#include "scan/scan_folder.h"

namespace mapio::scan {

// "faces/config.xml:12: missing: ..."; "config.xml:12: ..." for the
// scanned folder's own pack.
void AppendPackFindingLine(const ScannedPack& pack, const checker::Finding& finding,
                           std::string& out);

// "faces/config.xml", or "config.xml" for the scanned folder's own pack.
std::string MappingFileOf(std::string_view relative);

// A clash as a finding of the pack its line stands in (the first record's):
// its category, line, ID or name, and the detail the line gives.
checker::Finding ClashFinding(const Clash& clash, const std::vector<ScannedPack>& packs);
// Its line, as that pack's finding would read, and its detail alone,
// appended to `out`: half a million of them make no string of their own.
void AppendClashLine(const Clash& clash, const std::vector<ScannedPack>& packs, std::string& out);
void AppendClashDetail(const Clash& clash, const std::vector<ScannedPack>& packs, std::string& out);

// "locked: structure: the folder cannot be read: no pack in it was checked"
std::string UnreadableLine(std::string_view relative);
inline constexpr std::string_view kUnreadableText =
    "the folder cannot be read: no pack in it was checked";

// "FOLDER: 3 packs, 1200 records, 1190 pictures, 4 findings, 2 clashes",
// then how many links to folders were passed over, when any were.
std::string ScanSummaryLine(std::string_view folder, const ScanOutcome& outcome);

}  // namespace mapio::scan
