// CXEditDlg, the mapping editor's window (template 134), and the view that
// runs it for MappingEditor.
#pragma once

#include <QDialog>
#include <QString>

#include "ui/mapping_editor.h"
#include "ui/qt/template_builder.h"

class QPlainTextEdit;

namespace mapio::qt {

class CXEditDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CXEditDlg(QWidget* owner = nullptr);

  // Into the text box, whole.
  void SetEditorText(const QString& text);
  // The text box's text as of the confirmed save.
  const QString& EditorText() const { return editorText_; }
  QPlainTextEdit* TextBox() const { return textBox_; }

 private:
  void OnSave();

  BuiltDialog built_;
  QPlainTextEdit* textBox_ = nullptr;
  QString editorText_;
};

// Opens a fresh CXEditDlg owned by `owner` for each Edit.
class QtEditorView final : public ui::EditorView {
 public:
  explicit QtEditorView(QWidget* owner) : owner_(owner) {}
  std::optional<std::string> Edit(const std::string& text) override;

 private:
  QWidget* owner_;
};

// The box's whole text, line breaks as "\n", every character as it is.
QString WholeText(const QPlainTextEdit& box);

}  // namespace mapio::qt
