#pragma once

#include <QString>

namespace mapio::screenshots {

// The check's report of a crafted pack, a picture beside its table, as
// report.png in `folder`. False when the picture failed.
bool RenderReportShot(const QString& folder);

}  // namespace mapio::screenshots
