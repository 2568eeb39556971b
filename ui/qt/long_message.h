// A message box for texts too long for a plain one (the translator's list
// of renamed files can run to 200,000 lines): the same icon, buttons and
// exact text, the text in a scrollable read-only box.
#pragma once

#include <QString>

#include "ui/job_host.h"

class QWidget;

namespace mapio::qt {

// More lines or characters than a plain box shows on a screen.
bool IsLongMessage(const QString& text);

MessageButton ShowLongMessage(QWidget* owner, const QString& text, const QString& caption,
                              MessageKind kind);

}  // namespace mapio::qt
