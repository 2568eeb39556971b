#include "ui/win32/edit_dialog.h"

#include <string>
#include <utility>

#include <Scintilla.h>

#include "platform/wide_win32.h"
#include "res/control_ids.h"
#include "ui/win32/find_dialogs.h"

namespace mapio::win32 {
namespace {

constexpr int kFontPoints = 10;

// The editor whose keys its hook takes; there is one at a time.
thread_local CXEditDlg* theKeysEditor = nullptr;

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// The first fixed-pitch font of these the system has; Courier New is on
// every Windows.
std::string EditorFont() {
  static const std::string chosen = [] {
    HDC screen = GetDC(nullptr);
    std::string name = "Courier New";
    for (const wchar_t* face : {L"Consolas", L"Courier New", L"DejaVu Sans Mono"}) {
      LOGFONTW wanted{};
      wanted.lfCharSet = DEFAULT_CHARSET;
      lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
      bool found = false;
      EnumFontFamiliesExW(screen, &wanted, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
      if (found) {
        name = platform::Narrow(face);
        break;
      }
    }
    ReleaseDC(nullptr, screen);
    return name;
  }();
  return chosen;
}

// The text of one editing session, kept by a hidden window while the
// editor windows come and go.
class Win32EditorText final : public ui::EditorText {
 public:
  void Append(std::string_view bytes) override { holder_.Box().Append(bytes); }
  std::string_view Bytes() override { return holder_.Box().Bytes(); }
  ui::ScintillaBox& Box() { return holder_.Box(); }

 private:
  ScintillaHolder holder_;
};

}  // namespace

CXEditDlg::CXEditDlg(Dialogs& dialogs, std::intptr_t document, const ui::EditorLook& look,
                     std::size_t line)
    : Dialog(res::kEditXmlDialog, dialogs), document_(document), look_(look), line_(line) {
  RegisterScintilla();
}

bool CXEditDlg::OnInitDialog() {
  HWND box = Item(res::kXmlTextBox);
  box_.emplace(box);
  box_->ShowDocument(document_);
  box_->SetLook(look_, EditorFont(), kFontPoints);
  // Selected text in the system's colours, as in every other box.
  box_->Call(SCI_SETSELBACK, 1, static_cast<std::intptr_t>(GetSysColor(COLOR_HIGHLIGHT)));
  box_->Call(SCI_SETSELFORE, 1, static_cast<std::intptr_t>(GetSysColor(COLOR_HIGHLIGHTTEXT)));
  theKeysEditor = this;
  keysHook_ = SetWindowsHookExW(WH_MSGFILTER, &CXEditDlg::KeysHook, nullptr, GetCurrentThreadId());
  if (line_ == 0) return true;
  box_->SelectLine(line_);
  SetFocus(box);
  return false;  // the focus is set
}

bool CXEditDlg::OnCommand(int id, int notification) {
  if (id == res::kSaveButton) {
    if (dialogs().ShowMessage(hwnd(), ui::kConfirmSaveText, ui::kConfirmSaveCaption,
                              MessageKind::Confirmation) == MessageButton::Ok) {
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

void CXEditDlg::OpenFind() {
  CFindDlg find(*this);
  find.RunModal(hwnd());
  SetFocus(box_->window());  // the keys go on in the text
}

void CXEditDlg::FindAgain(ui::FindDirection direction) {
  if (lastFind_.text.empty()) return OpenFind();
  lastFind_.direction = direction;
  if (!box_->Find(lastFind_)) {
    dialogs().ShowMessage(hwnd(), ui::NotFoundText(lastFind_.text), ui::kFindCaption,
                          MessageKind::Information);
  }
}

void CXEditDlg::OpenGoToLine() {
  CGoToLineDlg goTo(*this);
  goTo.RunModal(hwnd());
  SetFocus(box_->window());
}

// The window's own keys, wherever its focus is: taken from the dialog's
// loop before the text box, which wants every key, sees them. Esc closes the
// window, as in any dialog.
bool CXEditDlg::OnKey(WPARAM key) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  if (key == VK_ESCAPE) {
    PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(res::kEditorCloseButton, BN_CLICKED), 0);
  } else if (control && key == 'F') {
    OpenFind();
  } else if (control && key == 'G') {
    OpenGoToLine();
  } else if (key == VK_F3) {
    FindAgain(shift ? ui::FindDirection::Previous : ui::FindDirection::Next);
  } else {
    return false;
  }
  return true;
}

LRESULT CALLBACK CXEditDlg::KeysHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  CXEditDlg* editor = theKeysEditor;
  if (code == MSGF_DIALOGBOX && editor != nullptr && message->message == WM_KEYDOWN &&
      (message->hwnd == editor->hwnd() || IsChild(editor->hwnd(), message->hwnd)) &&
      editor->OnKey(message->wParam)) {
    return TRUE;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool CXEditDlg::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR&) {
  if (message == WM_DESTROY && keysHook_ != nullptr) {
    UnhookWindowsHookEx(keysHook_);
    keysHook_ = nullptr;
    theKeysEditor = nullptr;
  }
  return false;
}

std::unique_ptr<ui::EditorText> Win32EditorView::NewText(std::size_t size, bool coloured) {
  auto text = std::make_unique<Win32EditorText>();
  text->Box().NewText(size, coloured);
  return text;
}

bool Win32EditorView::Edit(ui::EditorText& text, const ui::EditorLook& look, std::size_t line) {
  ui::ScintillaBox& holder = static_cast<Win32EditorText&>(text).Box();
  holder.EndLoading();
  CXEditDlg editor(dialogs_, holder.Document(), look, line);
  return editor.RunModal(owner_) == res::kSaveButton;
}

}  // namespace mapio::win32
