#include "ui/win32/scintilla_control.h"

#include <Scintilla.h>

#include <ILexer.h>
#include <LexerModule.h>

// Lexilla's XML lexer (lexers/LexHTML.cxx); the rest of its catalogue is
// not linked in.
extern Lexilla::LexerModule lmXML;

namespace mapio::win32 {

void RegisterScintilla() {
  static const int registered = Scintilla_RegisterClasses(GetModuleHandleW(nullptr));
  (void)registered;
}

Win32ScintillaBox::Win32ScintillaBox(HWND window)
    : window_(window),
      direct_(reinterpret_cast<Direct>(SendMessageW(window, SCI_GETDIRECTFUNCTION, 0, 0))),
      instance_(static_cast<std::intptr_t>(SendMessageW(window, SCI_GETDIRECTPOINTER, 0, 0))) {}

std::intptr_t Win32ScintillaBox::Call(unsigned message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  if (direct_ == nullptr) {
    return static_cast<std::intptr_t>(SendMessageW(window_, message, wParam, lParam));
  }
  return direct_(instance_, message, wParam, lParam);
}

void Win32ScintillaBox::UseXmlLexer() {
  Call(SCI_SETILEXER, 0, reinterpret_cast<std::intptr_t>(lmXML.Create()));
}

namespace {

HWND MakeHolderWindow() {
  RegisterScintilla();
  return CreateWindowExW(0, L"Scintilla", L"", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

ScintillaHolder::ScintillaHolder() : window_(MakeHolderWindow()), box_(window_) {}

ScintillaHolder::~ScintillaHolder() { DestroyWindow(window_); }

}  // namespace mapio::win32
