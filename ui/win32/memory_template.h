// Dialogs built in memory, for windows whose buttons depend on what they
// show (a template in the resources has a fixed set).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace mapio::win32 {

// Predefined window classes of DLGITEMTEMPLATE.
inline constexpr WORD kButtonClass = 0x0080;
inline constexpr WORD kEditClass = 0x0081;
inline constexpr WORD kStaticClass = 0x0082;
inline constexpr WORD kComboBoxClass = 0x0085;

// Text that can be read, selected and copied but not changed, scrolled both
// ways (long lines are not wrapped).
inline constexpr DWORD kReadOnlyTextStyle = WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                            ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                                            WS_TABSTOP;

// A DLGTEMPLATE, then its items, each on a DWORD boundary, in the dialogs'
// font. Texts are UTF-8.
class TemplateWriter {
 public:
  // `extraStyle` is added to a modal popup with a caption and system menu.
  void Dialog(const char* caption, short cx, short cy, WORD items,
              DWORD extraStyle = DS_MODALFRAME);
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD windowClass,
            const char* text);
  // A control of a class known by its name ("SysListView32").
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, const wchar_t* className,
            const char* text);
  const DLGTEMPLATE* data();

 private:
  void Append(const void* data, std::size_t size);
  void Word(WORD w) { words_.push_back(w); }
  void Text(const char* text);
  void Head(DWORD style, short x, short y, short cx, short cy, WORD id);
  void Align() {
    if (words_.size() % 2) Word(0);
  }

  std::vector<WORD> words_;
};

// Line breaks as an edit box wants them.
std::string WithCrLf(std::string_view text);

}  // namespace mapio::win32
