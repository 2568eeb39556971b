// What a window asks of the user through dialogs it does not make itself: a
// message box and the folder chooser. Each window is handed one and passes
// it on to the dialogs it opens: the toolkit's own in the program, a fake
// that answers in tests. `Window` is the toolkit's handle of a window.
#pragma once

#include <string>
#include <string_view>

#include "ui/job_host.h"

namespace mapio::ui {

// The folder chooser's title.
inline constexpr std::string_view kBrowseTitle = "Choose a folder";

template <class Window>
class Dialogs {
 public:
  using Owner = Window;
  virtual ~Dialogs() = default;
  // A modal box owned by `owner`, with the icon and buttons of `kind` (see
  // LookOf); `caption` is never empty here.
  virtual MessageButton ShowMessage(Owner owner, std::string_view text, std::string_view caption,
                                    MessageKind kind) = 0;
  // The folder the user chose (UTF-8), or an empty text when they cancelled.
  virtual std::string BrowseForFolder(Owner owner) = 0;
};

}  // namespace mapio::ui
