// CXEditDlg, the mapping editor's window (template 134) on QScintilla, and
// the view that runs it for MappingEditor.
#pragma once

#include <QDialog>

#include <cstddef>
#include <memory>

#include "ui/editor_find.h"
#include "ui/mapping_editor.h"
#include "ui/scintilla_box.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/template_builder.h"

class QsciScintilla;

namespace mapio::qt {

// The editor's component as ui::ScintillaBox drives it.
class QtScintillaBox final : public ui::ScintillaBox {
 public:
  explicit QtScintillaBox(QsciScintilla& box) : box_(box) {}
  std::intptr_t Call(unsigned message, std::uintptr_t wParam = 0,
                     std::intptr_t lParam = 0) override;

 protected:
  void UseXmlLexer() override;

 private:
  QsciScintilla& box_;
};

class CXEditDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CXEditDlg(Dialogs& dialogs, QWidget* owner = nullptr);

  QsciScintilla* TextBox() const { return textBox_; }
  // Its boxes, and those of Find and Go to line.
  Dialogs& dialogs() const { return dialogs_; }
  ui::ScintillaBox& Box() { return box_; }
  // Shows the text so, once the window is up with line `line` (from 1; 0
  // for none) selected and the keys in the text.
  void SetLook(const ui::EditorLook& look, std::size_t line = 0);
  // Ctrl+F, F3 and Shift+F3, Ctrl+G.
  void OpenFind();
  void FindAgain(ui::FindDirection direction);
  void OpenGoToLine();
  // What Find next and Find previous look for; the last one asked.
  ui::FindRequest& LastFind() { return lastFind_; }

 private:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void TakeKeysBack();
  void OnSave();

  Dialogs& dialogs_;
  BuiltDialog built_;
  QsciScintilla* textBox_ = nullptr;
  QtScintillaBox box_;
  std::size_t line_ = 0;
  ui::FindRequest lastFind_;
};

// Opens a CXEditDlg owned by `owner` for each text, again for each Edit.
class QtEditorView final : public ui::EditorView {
 public:
  QtEditorView(Dialogs& dialogs, QWidget* owner) : dialogs_(dialogs), owner_(owner) {}
  std::unique_ptr<ui::EditorText> NewText(std::size_t size, bool coloured) override;
  bool Edit(ui::EditorText& text, const ui::EditorLook& look, std::size_t line) override;

 private:
  Dialogs& dialogs_;
  QWidget* owner_;
};

}  // namespace mapio::qt
