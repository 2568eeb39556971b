// "C&heck": the check job for the window, the report's buttons and the
// questions they ask before their job runs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>

#include "checker/check_pack.h"
#include "core/object_kind.h"
#include "ui/job_host.h"
#include "ui/report_model.h"

namespace mapio::translator {
struct TranslateOnRecord;
}

namespace mapio::ui {

inline constexpr std::string_view kCheckCaption = "Check";
inline constexpr std::string_view kNothingWrongText = "Nothing is wrong with this pack.";
inline constexpr std::string_view kNothingWrongInPacksText =
    "Nothing is wrong with these packs, and no two of them claim the same picture.";

// The summary and kNothingWrongText: the box a clean pack gets.
std::string CleanText(const checker::PackReport& report);

// The report's buttons and the questions they ask before the job runs.
std::string AddNewButtonText(std::size_t count);
std::string RemoveMissingButtonText(std::size_t count);
std::string AddNewQuestion(std::size_t count);
std::string RemoveMissingQuestion(std::size_t count);
inline constexpr std::string_view kUpdateCaption = "Update config.xml";

inline constexpr std::string_view kUseGeneratedIdsButton = "Use &r- IDs";
inline constexpr std::string_view kUsePlainIdsButton = "Use &plain IDs";
// "Convert the 12 records of faces with plain IDs in config.xml to r- IDs? ..."
std::string ConvertQuestion(const checker::PackReport& report, bool toGenerated);
inline constexpr std::string_view kConvertCaption = "Convert IDs";

// "&Undo last translate (1312 renames)": the renames not yet taken back.
std::string UndoButtonText(const translator::TranslateOnRecord& latest);
std::string UndoQuestion(const translator::TranslateOnRecord& latest);
inline constexpr std::string_view kUndoCaption = "Undo translate";

// What C&heck found: one pack, or every pack below the folder.
using FolderReport = std::variant<checker::PackReport, ScanReport>;

// Checks `folder` (absolute), every finding held: alone for `objectKind`
// when it is one pack with none below it (or has no pack at all, which its
// report says); otherwise every pack below it, the folder's own for
// `objectKind` and each other for the kind most of its records have. The
// report names the folder as `shownPath` (the path box's text).
FolderReport CheckFolderOrPacks(const std::string& folder, const std::string& shownPath,
                                ObjectKind objectKind,
                                const std::function<void(const JobProgress&)>& progress);

// The box packs with nothing wrong and nothing to offer get.
std::string CleanText(const ScanReport& report);

// Checks `folder` for `objectKind`, every finding held; the report names
// the folder as `shownPath` (the path box's text).
checker::PackReport CheckFolder(const std::string& folder, const std::string& shownPath,
                                ObjectKind objectKind,
                                const std::function<void(const JobProgress&)>& progress);

}  // namespace mapio::ui
