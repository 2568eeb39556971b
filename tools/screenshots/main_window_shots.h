#pragma once

#include <QString>

namespace mapio::screenshots {

// The main window in both modes, both ID prompts with a preview and the
// progress dialog, as PNGs in `folder`. False when a picture failed.
bool RenderMainWindowShots(const QString& folder);

}  // namespace mapio::screenshots
