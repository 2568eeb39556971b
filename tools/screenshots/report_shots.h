#pragma once

#include <QString>

namespace mapio::screenshots {

// The check's report of a crafted pack, a picture beside its table, as
// report.png in `folder`. False when the picture failed.
bool RenderReportShot(const QString& folder);

// The report over the packs of a crafted graphics folder, with "Find ID"'s
// answer for a face two packs map, as scan-report.png in `folder`.
bool RenderScanReportShot(const QString& folder);

}  // namespace mapio::screenshots
