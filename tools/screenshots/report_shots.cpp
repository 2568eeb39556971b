#include "tools/screenshots/report_shots.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include "res/control_ids.h"
#include <variant>

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

// A graphics folder: a faces pack, an update pack over it that maps some of
// its faces again, and club logos under names the faces use.
void MakeGraphics(const QDir& graphics) {
  const auto write = [&](const char* pack, const std::string& records) {
    QDir().mkpath(graphics.filePath(pack));
    QFile file(graphics.filePath(QString(pack) + "/config.xml"));
    file.open(QIODevice::WriteOnly);
    const std::string text =
        "<record>\n\t<list id=\"maps\">\n" + records + "\t</list>\n</record>\n";
    file.write(text.data(), static_cast<qint64>(text.size()));
  };
  std::string faces, update, logos;
  int shade = 0;
  for (int id = 2000120; id < 2000126; ++id) {
    const std::string name = std::to_string(id);
    faces += Record(name.c_str(), ("person/" + name + "/portrait").c_str());
    QDir().mkpath(graphics.filePath("faces"));
    Face(graphics.filePath(QString("faces/%1.png").arg(id)), QColor::fromHsv(shade += 45, 90, 170));
  }
  write("faces", faces);
  update += Record("2000123", "person/2000123/portrait") +
            Record("2000124", "person/r-2000124/portrait") +
            Record("ward", "person/2000200/portrait");
  QDir().mkpath(graphics.filePath("update-2026"));
  Face(graphics.filePath("update-2026/2000123.png"), QColor::fromHsv(200, 60, 200));
  Face(graphics.filePath("update-2026/2000124.png"), QColor::fromHsv(300, 60, 200));
  write("update-2026", update);
  logos += Record("1123", "club/1123/logo") + Record("2000121", "club/77/logo");
  QDir().mkpath(graphics.filePath("logos"));
  Face(graphics.filePath("logos/1123.png"), QColor(200, 40, 40));
  Face(graphics.filePath("logos/2000121.png"), QColor(40, 160, 40));
  write("logos", logos);
}

}  // namespace

bool RenderScanReportShot(const QString& folder) {
  QTemporaryDir temporary;
  const QDir graphics(temporary.filePath(QStringLiteral("graphics")));
  MakeGraphics(graphics);
  const std::string path = graphics.path().toStdString();
  SilentHost host;
  ui::FolderReport found =
      ui::CheckFolderOrPacks(path, "/home/user/graphics", Faces, [](const JobProgress&) {});
  if (!std::holds_alternative<ui::ScanReport>(found)) return false;
  ui::CheckedPacks checked{std::get<ui::ScanReport>(std::move(found)), {}, Faces};
  for (const scan::ScannedPack& pack : checked.scan.outcome.packs)
    checked.buttons.push_back(ui::ReportOffers(
        pack.report, pack.relative.empty() ? path : path + "/" + pack.relative, true));
  ui::CheckReport report(host, path, std::move(checked), {}, {}, {});
  qt::QtDialogs dialogs;
  qt::CReportDlg dialog(dialogs, nullptr, report);
  dialog.resize(1060, 600);
  dialog.show();
  QApplication::processEvents();
  auto* idBox = dialog.findChild<QLineEdit*>(QString::number(res::kReportFindIdBox));
  auto* find = dialog.findChild<QPushButton*>(QString::number(res::kReportFindIdButton));
  if (!idBox || !find) return false;
  idBox->setText(QStringLiteral("2000123"));
  find->click();
  QApplication::processEvents();
  return dialog.grab().save(QDir(folder).filePath(QStringLiteral("scan-report.png")));
}

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
  qt::QtDialogs dialogs;
  qt::CReportDlg dialog(dialogs, nullptr, report);
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
