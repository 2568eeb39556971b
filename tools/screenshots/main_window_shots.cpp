#include "tools/screenshots/main_window_shots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QProgressDialog>
#include <QTemporaryDir>

#include "res/control_ids.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/id_prompts.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/progress_display.h"

namespace mapio::screenshots {

namespace {

bool Save(QWidget& widget, const QString& folder, const QString& name) {
  widget.show();
  QApplication::processEvents();
  return widget.grab().save(QDir(folder).filePath(name));
}

// A stand-in face: a head and shoulders on a plain ground.
QString SamplePicture(const QTemporaryDir& dir) {
  QImage image(180, 240, QImage::Format_RGB32);
  image.fill(QColor(70, 110, 170));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(235, 200, 170));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QRect(55, 40, 70, 90));
  painter.setBrush(QColor(200, 40, 40));
  painter.drawRoundedRect(QRect(25, 150, 130, 120), 40, 40);
  painter.end();
  const QString path = dir.filePath(QStringLiteral("Face01.png"));
  image.save(path);
  return path;
}

}  // namespace

bool RenderMainWindowShots(const QString& folder) {
  bool ok = true;
  qt::QtDialogs dialogs;
  {
    qt::CMainDlg window(dialogs);
    qobject_cast<QLineEdit*>(window.control(res::kPathBox))
        ->setText(QStringLiteral("/home/user/faces"));
    ok &= Save(window, folder, QStringLiteral("main_make.png"));
    qobject_cast<QAbstractButton*>(window.control(res::kTranslateButton))->click();
    ok &= Save(window, folder, QStringLiteral("main_translate.png"));

    // A clock that runs a second per look, so the progress shows at once.
    qt::ProgressDisplay display(&window, [n = qint64(0)]() mutable { return n += 1000; });
    display.Begin();
    display.Report({JobProgress::Phase::Writing, 73512, 200000});
    ok &= display.dialog() != nullptr &&
          Save(*display.dialog(), folder, QStringLiteral("progress.png"));
    display.End();
  }
  QTemporaryDir pictures;
  const QString picture = SamplePicture(pictures);
  qt::CFileMap file(dialogs);
  file.SetPicture(QStringLiteral("Face01.png"), QStringLiteral("3/12"));
  file.SetPreview(picture);
  ok &= Save(file, folder, QStringLiteral("prompt_file.png"));
  qt::CKitMapDlg kit(dialogs);
  kit.SetPicture(QStringLiteral("Arsenal home kit.png"), QStringLiteral("0/3"));
  kit.SetPreview(picture);
  ok &= Save(kit, folder, QStringLiteral("prompt_kit.png"));
  return ok;
}

}  // namespace mapio::screenshots
