// The application: one per process, runs the main window and ends with it.
#pragma once

#include <QApplication>

#include <memory>

namespace mapio::qt {

class CMapApp {
 public:
  // The arguments are not read: Qt sees only the program's name, so
  // options such as -style or -reverse change nothing either.
  CMapApp(int argc, char** argv);
  ~CMapApp();

  // Runs the main window modally; the process ends when it closes.
  int Run();

 private:
  int argc_ = 1;
  char* argv_[2] = {nullptr, nullptr};
  std::unique_ptr<QApplication> app_;
};

// The settings every run of the program starts with, before any window:
// name, icon. Tests call it too, so that they see what the program sees.
void SetUpApplication(QApplication& app);

}  // namespace mapio::qt
