#include "ui/qt/folder_chooser.h"

#include <QFileDialog>

#include "ui/main_window.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {

namespace {

std::optional<QString> g_nextAnswer;
int g_calls = 0;
QString g_lastTitle;

}  // namespace

QString FolderChooser::Choose(QWidget* owner) {
  ++g_calls;
  g_lastTitle = ToQString(ui::kBrowseTitle);
  if (g_nextAnswer) {
    QString answer = *g_nextAnswer;
    g_nextAnswer.reset();
    return answer;
  }
  return QFileDialog::getExistingDirectory(owner, g_lastTitle);
}

void FolderChooser::setNextAnswer(std::optional<QString> answer) {
  g_nextAnswer = std::move(answer);
}

int FolderChooser::calls() { return g_calls; }

QString FolderChooser::lastTitle() { return g_lastTitle; }

}  // namespace mapio::qt
