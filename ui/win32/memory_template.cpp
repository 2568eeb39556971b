#include "ui/win32/memory_template.h"

#include <algorithm>

#include "platform/wide_win32.h"
#include "res/dialog_template.h"

namespace mapio::win32 {

void TemplateWriter::Dialog(const char* caption, short cx, short cy, WORD items, DWORD extraStyle) {
  DLGTEMPLATE head{};
  head.style = DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | extraStyle;
  head.cdit = items;
  head.cx = cx;
  head.cy = cy;
  Append(&head, sizeof head);
  Word(0);  // no menu
  Word(0);  // the dialog class
  Text(caption);
  Word(res::kDialogFontPoints);
  Text(std::string(res::kDialogFont).c_str());
}

void TemplateWriter::Head(DWORD style, short x, short y, short cx, short cy, WORD id) {
  Align();
  DLGITEMTEMPLATE item{};
  item.style = WS_CHILD | WS_VISIBLE | style;
  item.x = x;
  item.y = y;
  item.cx = cx;
  item.cy = cy;
  item.id = id;
  Append(&item, sizeof item);
}

void TemplateWriter::Item(DWORD style, short x, short y, short cx, short cy, WORD id,
                          WORD windowClass, const char* text) {
  Head(style, x, y, cx, cy, id);
  Word(0xFFFF);
  Word(windowClass);
  Text(text);
  Word(0);  // no creation data
}

void TemplateWriter::Item(DWORD style, short x, short y, short cx, short cy, WORD id,
                          const wchar_t* className, const char* text) {
  Head(style, x, y, cx, cy, id);
  for (const wchar_t* c = className; *c != 0; ++c) Word(*c);
  Word(0);
  Text(text);
  Word(0);  // no creation data
}

const DLGTEMPLATE* TemplateWriter::data() {
  Align();
  return reinterpret_cast<const DLGTEMPLATE*>(words_.data());
}

void TemplateWriter::Append(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const WORD*>(data);
  words_.insert(words_.end(), bytes, bytes + size / sizeof(WORD));
}

void TemplateWriter::Text(const char* text) {
  for (const wchar_t unit : platform::Widen(text)) Word(unit);
  Word(0);
}

std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
  for (const char c : text) {
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

}  // namespace mapio::win32
