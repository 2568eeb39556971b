#include "ui/win32/edit_dialog.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "platform/wide_win32.h"
#include "res/control_ids.h"
#include "ui/win32/message_box.h"

namespace mapio::win32 {

namespace {

// Hands the box the pieces in UTF-16, converting one at a time and letting
// each go once converted, so that the file is never held whole twice more.
struct StreamIn {
  explicit StreamIn(ui::TextPieces& text) : pieces(&text) {}
  ui::TextPieces* pieces;
  std::size_t next = 0;
  std::wstring wide;
  std::size_t sent = 0;  // characters of `wide`
};

DWORD CALLBACK ReadPiece(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
  auto* in = reinterpret_cast<StreamIn*>(cookie);
  while (in->sent == in->wide.size() && in->next < in->pieces->size()) {
    std::string& piece = (*in->pieces)[in->next++];
    in->wide = platform::Widen(piece);
    std::string().swap(piece);
    in->sent = 0;
  }
  // Whole characters only.
  const std::size_t take =
      std::min(in->wide.size() - in->sent, static_cast<std::size_t>(wanted) / sizeof(wchar_t));
  std::memcpy(buffer, in->wide.data() + in->sent, take * sizeof(wchar_t));
  in->sent += take;
  *got = static_cast<LONG>(take * sizeof(wchar_t));
  return 0;
}

bool IsHigh(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Half a surrogate pair would make the file no UTF-8.
bool IsLoneSurrogate(const std::wstring& text, std::size_t i) {
  if (IsHigh(text[i])) return i + 1 == text.size() || !IsLow(text[i + 1]);
  return IsLow(text[i]) && (i == 0 || !IsHigh(text[i - 1]));
}

DWORD CALLBACK WritePiece(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
  auto* out = reinterpret_cast<std::wstring*>(cookie);
  out->append(reinterpret_cast<const wchar_t*>(buffer), static_cast<std::size_t>(size) / 2);
  *written = size;
  return 0;
}

}  // namespace

void LoadRichEdit() {
  static const HMODULE library = LoadLibraryW(L"riched20.dll");
  (void)library;
}

std::string RichEditText(HWND box) {
  std::wstring wide;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&wide), 0, &WritePiece};
  SendMessageW(box, EM_STREAMOUT, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
  // The box ends its lines with CR LF (or CR); the editor's text has LF.
  // A lone surrogate is saved as U+FFFD, as the system's own conversion has it.
  std::wstring lines;
  lines.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == L'\r') {
      lines.push_back(L'\n');
      if (i + 1 < wide.size() && wide[i + 1] == L'\n') ++i;
    } else {
      lines.push_back(IsLoneSurrogate(wide, i) ? L'\xFFFD' : wide[i]);
    }
  }
  return platform::Narrow(lines);
}

void SetRichEditPieces(HWND box, ui::TextPieces& pieces) {
  StreamIn in(pieces);
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&in), 0, &ReadPiece};
  SendMessageW(box, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
}

void SetRichEditText(HWND box, const std::string& text) {
  ui::TextPieces pieces{text};
  SetRichEditPieces(box, pieces);
}

std::optional<CHARRANGE> LineInBox(const ui::TextPieces& pieces, std::size_t line) {
  if (line == 0) return std::nullopt;
  std::size_t current = 1;
  LONG at = 0;
  std::optional<CHARRANGE> range;
  for (const std::string& piece : pieces) {
    for (const char c : piece) {
      const auto byte = static_cast<unsigned char>(c);
      if (current == line && !range) range = CHARRANGE{at, at};
      if (byte == '\n') {
        if (current == line) {
          range->cpMax = at;
          return range;
        }
        ++current;
        ++at;
      } else if ((byte & 0xC0) != 0x80) {
        at += byte >= 0xF0 ? 2 : 1;  // four bytes take a surrogate pair
      }
    }
  }
  if (current == line) {
    if (!range) range = CHARRANGE{at, at};
    range->cpMax = at;
  }
  return range;
}

CXEditDlg::CXEditDlg(ui::TextPieces text, std::size_t line)
    : Dialog(res::kEditXmlDialog), pieces_(std::move(text)), line_(line) {}

bool CXEditDlg::OnInitDialog() {
  HWND box = Item(res::kXmlTextBox);
  // No limit of the box's own: a cut text would cut the file on saving.
  SendMessageW(box, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  const std::optional<CHARRANGE> selected = LineInBox(pieces_, line_);
  SetRichEditPieces(box, pieces_);
  pieces_ = ui::TextPieces();  // the box holds it now
  SendMessageW(box, EM_SETMODIFY, FALSE, 0);
  if (!selected) return true;
  SetFocus(box);
  CHARRANGE range = *selected;
  SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
  return false;  // the focus is set
}

bool CXEditDlg::OnCommand(int id, int notification) {
  if (id == res::kSaveButton) {
    if (ShowMessageBox(hwnd(), ui::kConfirmSaveText, ui::kConfirmSaveCaption,
                       MessageKind::Confirmation) == MessageButton::Ok) {
      text_ = RichEditText(Item(res::kXmlTextBox));
      End(res::kSaveButton);
    }
    return true;
  }
  if (id == res::kEditorCloseButton) {
    End(res::kEditorCloseButton);
    return true;
  }
  return Dialog::OnCommand(id, notification);
}

std::unique_ptr<ui::EditedText> Win32EditorView::Edit(ui::TextPieces text, std::size_t line) {
  LoadRichEdit();
  CXEditDlg editor(std::move(text), line);
  if (editor.RunModal(owner_) != res::kSaveButton) return nullptr;
  return std::make_unique<ui::WholeEditedText>(std::move(editor.text()));
}

}  // namespace mapio::win32
