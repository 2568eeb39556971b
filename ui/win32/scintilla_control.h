// Scintilla's own Win32 control, linked into the program: the class
// registered once, the box ui::ScintillaBox drives, and a hidden window
// that holds a text while no editor window shows it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/scintilla_box.h"

namespace mapio::win32 {

// The window class "Scintilla", before a window of it is made.
void RegisterScintilla();

class Win32ScintillaBox final : public ui::ScintillaBox {
 public:
  // A control of class "Scintilla".
  explicit Win32ScintillaBox(HWND window);
  std::intptr_t Call(unsigned message, std::uintptr_t wParam = 0,
                     std::intptr_t lParam = 0) override;
  HWND window() const { return window_; }

 protected:
  void UseXmlLexer() override;

 private:
  using Direct = std::intptr_t (*)(std::intptr_t, unsigned, std::uintptr_t, std::intptr_t);
  HWND window_;
  // Scintilla's own entry, without the window messages' round trip.
  Direct direct_ = nullptr;
  std::intptr_t instance_ = 0;
};

// The text of one editing session: the editor windows come and go, the
// text stays here until the save has been written.
class ScintillaHolder {
 public:
  ScintillaHolder();
  ~ScintillaHolder();
  ScintillaHolder(const ScintillaHolder&) = delete;
  ScintillaHolder& operator=(const ScintillaHolder&) = delete;
  ui::ScintillaBox& Box() { return box_; }

 private:
  HWND window_;
  Win32ScintillaBox box_;
};

}  // namespace mapio::win32
