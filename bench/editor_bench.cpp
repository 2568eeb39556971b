// The mapping editor on a large config.xml: time until the editor shows
// the file (and has scrolled to its end), time of a confirmed save, and the
// process's peak memory against the file's size. Offscreen platform.
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/job_host.h"
#include "ui/mapping_editor.h"
#include "ui/qt/edit_dialog.h"
#include "ui/qt/message_box.h"

namespace {

constexpr int kRecords = 200000;

struct QuietHost : mapio::JobHost {
  mapio::JobSettings controls;
  bool PullSettings(mapio::JobSettings& s) override {
    s = controls;
    return true;
  }
  void PushSettings(const mapio::JobSettings&) override {}
  mapio::MessageButton ShowMessage(std::string_view text, std::string_view,
                                   mapio::MessageKind) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
    return mapio::MessageButton::Ok;
  }
};

std::size_t WriteConfig(const std::filesystem::path& path) {
  std::ofstream out(path, std::ios::binary);
  out << "<record>\r\n\t<list id=\"maps\">\r\n";
  for (int i = 0; i < kRecords; ++i) {
    const int id = 10000000 + i;
    out << "\t\t<record from=\"Player " << id << "\" to=\"graphics/pictures/person/" << id
        << "/portrait\"/>\r\n";
  }
  out << "\t</list>\r\n</record>";
  out.close();
  return std::filesystem::file_size(path);
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const auto folder = std::filesystem::temp_directory_path() / "mapio-editor-bench";
  std::filesystem::create_directories(folder);
  const std::size_t bytes = WriteConfig(folder / "config.xml");
  // What the toolkit takes for any window (libraries, fonts): shown once
  // with an empty editor before the file is opened.
  {
    mapio::qt::CXEditDlg empty;
    empty.show();
    QApplication::processEvents();
    empty.grab();
  }
  const double baseline = PeakMegabytes();

  QuietHost host;
  host.controls.folderPath = folder.string();
  mapio::JobSettings settings;
  QElapsedTimer clock;
  double openSeconds = 0;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<mapio::qt::CXEditDlg*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    QScrollBar* bar = dialog->TextBox()->verticalScrollBar();
    bar->setValue(bar->maximum());
    dialog->grab();  // paint it at its end
    openSeconds = clock.nsecsElapsed() / 1e9;
    std::printf("  peak while open: %.0f MB\n", PeakMegabytes());
    mapio::qt::MessageBox::setNextAnswer(mapio::MessageButton::Ok);
    clock.restart();
    dialog->findChild<QPushButton*>(QStringLiteral("1"))->click();
  });
  mapio::qt::QtEditorView view(nullptr);
  clock.start();
  mapio::ui::MappingEditor(host, settings, view);
  const double saveSeconds = clock.nsecsElapsed() / 1e9;
  const bool same = std::filesystem::file_size(folder / "config.xml") == bytes;
  std::filesystem::remove_all(folder);

  const double fileMb = bytes / 1048576.0;
  const double peak = PeakMegabytes();
  std::printf("editor: %d records, %.1f MB\n", kRecords, fileMb);
  std::printf("  open and show: %.3f s (target < 1.5 s)\n", openSeconds);
  std::printf("  confirmed save: %.3f s (target < 0.5 s)%s\n", saveSeconds,
              same ? "" : "  SIZE CHANGED");
  std::printf(
      "  peak memory: %.0f MB in all, %.1fx the file; %.0f MB (%.1fx) above the %.0f MB\n"
      "  an empty editor window takes (target < 10x)\n",
      peak, peak / fileMb, peak - baseline, (peak - baseline) / fileMb, baseline);
  const bool ok = same && openSeconds < 1.5 && saveSeconds < 0.5 && peak - baseline < 10 * fileMb;
  return ok ? 0 : 1;
}
