// The folder chooser of "&Browse", with a seam so tests answer it.
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace mapio::qt {

class FolderChooser {
 public:
  // The chosen folder, or an empty text when the user cancelled.
  static QString Choose(QWidget* owner);

  // Test seam: the next Choose returns `answer` (an empty text for a
  // cancel) instead of opening a window.
  static void setNextAnswer(std::optional<QString> answer);
  // How often Choose was called, and the title it would have shown.
  static int calls();
  static QString lastTitle();
};

}  // namespace mapio::qt
