// The message boxes and the folder chooser of the Qt window: Dialogs is
// what every window of it is handed, QtDialogs the one the program makes.
#pragma once

#include <string>
#include <string_view>

#include "ui/dialogs.h"

class QWidget;

namespace mapio::qt {

using Dialogs = ui::Dialogs<QWidget*>;

class QtDialogs final : public Dialogs {
 public:
  // A QMessageBox, or for a text too long for one the long message window.
  MessageButton ShowMessage(QWidget* owner, std::string_view text, std::string_view caption,
                            MessageKind kind) override;
  std::string BrowseForFolder(QWidget* owner) override;
};

}  // namespace mapio::qt
