#include "tools/screenshots/report_shots.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTableView>
#include <QTemporaryDir>

#include "res/control_ids.h"
#include "ui/check_job.h"
#include "ui/qt/report_window.h"
#include "ui/report_jobs.h"

namespace mapio::screenshots {

namespace {

class SilentHost final : public JobHost {
 public:
  bool PullSettings(JobSettings&) override { return true; }
  void PushSettings(const JobSettings&) override {}
  MessageButton ShowMessage(std::string_view, std::string_view, MessageKind) override {
    return MessageButton::Ok;
  }
};

// A face: a head and shoulders on a plain ground, in a colour of its own.
void Face(const QString& path, QColor ground) {
  QImage image(180, 240, QImage::Format_RGB32);
  image.fill(ground);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(235, 200, 170));
  painter.drawEllipse(QRect(55, 40, 70, 90));
  painter.setBrush(QColor(40, 60, 140));
  painter.drawRoundedRect(QRect(25, 150, 130, 120), 40, 40);
  painter.end();
  image.save(path, "PNG");
}

std::string Record(const char* from, const char* to) {
  return std::string("\t\t<record from=\"") + from + "\" to=\"graphics/pictures/" + to + "\"/>\n";
}

// One of each finding the check gives, as its tests craft them.
void MakePack(const QDir& dir) {
  const char* faces[] = {"ABC.png", "12.png", "a.png", "b.png", "stray.JPG", "Jones.png"};
  int shade = 0;
  for (const char* name : faces) Face(dir.filePath(name), QColor::fromHsv(shade += 50, 90, 170));
  std::string config = "<record>\n\t<list id=\"maps\">\n";
  config += Record("gone", "person/10/portrait") + Record("abc", "person/11/portrait") +
            Record("renamed", "person/12/portrait") + Record("a", "person/13/portrait") +
            Record("a", "person/14/portrait") + Record("b", "person/13/portrait") +
            Record("club", "club/15/logo") + "\t\t<boolean id=\"amap\" value=\"false\"/>\n" +
            Record("../up", "person/16/portrait") + Record("smith", "person/r-2000123/portrait");
  config += "\t</list>\n</record>\n";
  QFile file(dir.filePath("config.xml"));
  file.open(QIODevice::WriteOnly);
  file.write(config.data(), static_cast<qint64>(config.size()));
}

}  // namespace

bool RenderReportShot(const QString& folder) {
  QTemporaryDir temporary;
  const QDir pack(temporary.filePath(QStringLiteral("faces")));
  QDir().mkpath(pack.path());
  MakePack(pack);
  const std::string path = pack.path().toStdString();
  SilentHost host;
  ui::CheckedPack checked;
  checked.report = ui::CheckFolder(path, "/home/user/faces", Faces, [](const JobProgress&) {});
  checked.buttons = ui::ReportOffers(checked.report, path, true);
  ui::CheckReport report(host, path, std::move(checked), {}, {}, {});
  qt::CReportDlg dialog(nullptr, report);
  dialog.resize(980, 520);
  dialog.show();
  QApplication::processEvents();
  QTableView* table = dialog.table();
  for (int row = 0; row < table->model()->rowCount(); ++row) {
    if (table->model()->index(row, 2).data().toString() == QStringLiteral("Jones.png"))
      table->setCurrentIndex(table->model()->index(row, 0));
  }
  QApplication::processEvents();
  return dialog.grab().save(QDir(folder).filePath(QStringLiteral("report.png")));
}

}  // namespace mapio::screenshots
