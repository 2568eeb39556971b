// CXEditDlg, the mapping editor's window (template 134), and the view that
// runs it for MappingEditor.
#pragma once

#include <QDialog>
#include <QString>

#include <string>

#include "ui/mapping_editor.h"
#include "ui/qt/template_builder.h"

class QPlainTextEdit;

namespace mapio::qt {

class CXEditDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CXEditDlg(QWidget* owner = nullptr);

  // Into the text box, whole (UTF-8, "\n" between lines), once the window
  // is shown.
  void SetEditorText(std::string text);
  // The text box's text as of the confirmed save, in UTF-8.
  const std::string& EditorText() const { return editorText_; }
  std::string TakeEditorText() { return std::move(editorText_); }
  QPlainTextEdit* TextBox() const { return textBox_; }

 private:
  void showEvent(QShowEvent* event) override;
  void PlaceText();
  void OnSave();

  BuiltDialog built_;
  QPlainTextEdit* textBox_ = nullptr;
  std::string pendingText_;
  bool hasPendingText_ = false;
  std::string editorText_;
};

// Opens a fresh CXEditDlg owned by `owner` for each Edit.
class QtEditorView final : public ui::EditorView {
 public:
  explicit QtEditorView(QWidget* owner) : owner_(owner) {}
  std::optional<std::string> Edit(std::string text) override;

 private:
  QWidget* owner_;
};

// The box's whole text in UTF-8, line breaks as "\n", every character as
// it is (toPlainText() would turn no-break spaces into spaces).
std::string WholeText(const QPlainTextEdit& box);

}  // namespace mapio::qt
