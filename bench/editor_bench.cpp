// The Qt window's mapping editor on large config.xml files (make
// bench-editor; what it measures: editor_bench_common.h). Each size runs in
// a fresh child process on the offscreen platform. Exits nonzero when a
// target is missed.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <Qsci/qsciscintilla.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/editor_bench_common.h"
#include "res/control_ids.h"
#include "ui/job_host.h"
#include "ui/mapping_editor.h"
#include "ui/qt/edit_dialog.h"

namespace {

using mapio::bench::QuietHost;
using mapio::bench::Result;

// The save's question answered with OK.
struct SavingDialogs : mapio::qt::Dialogs {
  mapio::MessageButton ShowMessage(QWidget*, std::string_view, std::string_view,
                                   mapio::MessageKind) override {
    return mapio::MessageButton::Ok;
  }
  std::string BrowseForFolder(QWidget*) override { return {}; }
};

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

double Seconds(const QElapsedTimer& clock) { return clock.nsecsElapsed() / 1e9; }

// The process's processor time: beside the wall time, it shows how much of
// a figure other programs on a busy machine took.
double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void ShowLine(QsciScintilla& box, int line) {
  box.SendScintilla(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, static_cast<unsigned long>(line));
}

double SlowestScrollStep(mapio::qt::CXEditDlg& dialog) {
  QsciScintilla& box = *dialog.TextBox();
  const auto lines = static_cast<int>(box.SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT));
  const auto page = static_cast<int>(box.SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN));
  double slowest = 0;
  for (const int target : mapio::bench::ScrollTargets(lines, page)) {
    QElapsedTimer clock;
    clock.start();
    ShowLine(box, target);
    dialog.grab();
    slowest = std::max(slowest, Seconds(clock));
  }
  return slowest;
}

int MeasureOne(int argc, char** argv, int records) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const auto folder =
      std::filesystem::temp_directory_path() / ("mapio-editor-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::uint64_t written = mapio::bench::WriteConfig(folder / "config.xml", records);
  Result r;
  r.fileMb = std::filesystem::file_size(folder / "config.xml") / 1048576.0;
  // What the toolkit takes for any window (libraries, fonts): an empty
  // editor, shown and painted, before the file is opened.
  SavingDialogs dialogs;
  {
    mapio::qt::CXEditDlg empty(dialogs);
    empty.SetLook(mapio::ui::LookOf(""));
    empty.show();
    QApplication::processEvents();
    empty.grab();
  }
  const double baseline = PeakMegabytes();

  QuietHost host;
  host.controls.folderPath = folder.string();
  mapio::JobSettings settings;
  QElapsedTimer clock;
  double cpuMark = 0;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<mapio::qt::CXEditDlg*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    ShowLine(*dialog->TextBox(), records + 10);
    dialog->grab();
    r.open = Seconds(clock);
    r.openCpu = CpuSeconds() - cpuMark;
    r.scroll = SlowestScrollStep(*dialog);
    cpuMark = CpuSeconds();
    clock.restart();
    dialog->findChild<QPushButton*>(QString::number(mapio::res::kSaveButton))->click();
  });
  mapio::qt::QtEditorView view(dialogs, nullptr);
  cpuMark = CpuSeconds();
  clock.start();
  mapio::ui::MappingEditor(host, settings, view);
  r.save = Seconds(clock);
  r.saveCpu = CpuSeconds() - cpuMark;
  r.peakAbove = PeakMegabytes() - baseline;
  mapio::bench::EndChild(r, folder, written);
  return 0;
}

bool RunChild(const std::string& self, int records, Result& r) {
  const std::string command = self + " --records " + std::to_string(records);
  std::FILE* child = popen(command.c_str(), "r");
  if (child == nullptr) return false;
  const bool read = mapio::bench::ReadResult(child, r);
  return pclose(child) == 0 && read;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--records") {
    return MeasureOne(argc, argv, std::atoi(argv[2]));
  }
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  return mapio::bench::RunSizes("Qt",
                                [&](int records, Result& r) { return RunChild(self, records, r); })
             ? 0
             : 1;
}
