// Renders every dialog of the Qt front end to PNGs:
//   screenshots <folder>
// Run on the offscreen platform (make screenshots does).
#include <QApplication>
#include <QDir>

#include <cstdio>

#include "tools/screenshots/main_window_shots.h"
#include "tools/screenshots/report_shots.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/app_icon.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/edit_dialog.h"

namespace {

bool Save(QWidget& widget, const QString& folder, const QString& name) {
  widget.show();
  QApplication::processEvents();
  return widget.grab().save(QDir(folder).filePath(name));
}

QString SampleConfig() {
  QString text = QStringLiteral(
      "<record>\n\t<boolean id=\"preload\" value=\"false\"/>\n"
      "\t<boolean id=\"amap\" value=\"false\"/>\n\t<list id=\"maps\">\n");
  for (int id = 1001; id <= 1030; ++id) {
    text +=
        QStringLiteral("\t\t<record from=\"%1\" to=\"graphics/pictures/person/%1/portrait\"/>\n")
            .arg(id);
  }
  return text + QStringLiteral("\t</list>\n</record>");
}

bool RenderOwnShots(const QString& folder) {
  bool ok = true;
  mapio::qt::QtDialogs dialogs;
  {
    mapio::qt::CXEditDlg editor(dialogs);
    const std::string text = SampleConfig().toStdString();
    editor.Box().NewText(text.size(), true);
    editor.Box().Append(text);
    editor.Box().EndLoading();
    editor.SetLook(mapio::ui::LookOf(text));
    ok &= Save(editor, folder, QStringLiteral("editor.png"));
  }
  {
    mapio::qt::CAboutDlg about;
    ok &= Save(about, folder, QStringLiteral("about.png"));
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: screenshots <folder>\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(folder)) return 1;
  QApplication::setWindowIcon(mapio::qt::AppIcon());
  bool ok = RenderOwnShots(folder);
  ok &= mapio::screenshots::RenderMainWindowShots(folder);
  ok &= mapio::screenshots::RenderReportShot(folder);
  ok &= mapio::screenshots::RenderScanReportShot(folder);
  return ok ? 0 : 1;
}
