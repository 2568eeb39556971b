// CXEditDlg, the mapping editor's window (template 134), and the view that
// runs it for MappingEditor.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ui/mapping_editor.h"
#include "ui/qt/template_builder.h"

class QPlainTextEdit;

namespace mapio::qt {

// The box's whole text in UTF-8, line breaks as "\n", every character as
// it is, handed to `take` in pieces as ui::TextPieces; false when `take`
// stopped it.
bool ForEachTextPiece(const QPlainTextEdit& box, const std::function<bool(std::string_view)>& take);
std::string WholeText(const QPlainTextEdit& box);

class CXEditDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CXEditDlg(QWidget* owner = nullptr);

  // Into the text box, whole, once the window is shown.
  void SetEditorText(ui::TextPieces text);
  void SetEditorText(std::string text) { SetEditorText(ui::TextPieces{std::move(text)}); }
  // Line `line` (from 1; 0 for none) selected and in view once the text is.
  void SelectLine(std::size_t line);
  // The text box's text in UTF-8; after a confirmed save, the text to save.
  std::string EditorText() const { return WholeText(*textBox_); }
  QPlainTextEdit* TextBox() const { return textBox_; }

 private:
  void showEvent(QShowEvent* event) override;
  void PlaceText();
  void PlaceSelection();
  void OnSave();

  BuiltDialog built_;
  QPlainTextEdit* textBox_ = nullptr;
  ui::TextPieces pendingText_;
  bool hasPendingText_ = false;
  std::size_t line_ = 0;
};

// Opens a fresh CXEditDlg owned by `owner` for each Edit.
class QtEditorView final : public ui::EditorView {
 public:
  explicit QtEditorView(QWidget* owner) : owner_(owner) {}
  std::unique_ptr<ui::EditedText> Edit(ui::TextPieces text, std::size_t line) override;

 private:
  QWidget* owner_;
};

}  // namespace mapio::qt
