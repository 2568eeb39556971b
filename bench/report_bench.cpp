// The check's report window on the largest packs (make bench-editor):
//   open: from the check's report in hand until the window shows its first
//         rows painted (the model's filter and order included);
//   scroll: the slowest of a series of jumps and page steps, each painted;
//   sort: one click on a column header, painted.
// 550,000 findings, one per record of the largest packs in use. Exits
// nonzero when a target is missed.
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <string>

#include "ui/check_report.h"
#include "ui/qt/report_window.h"

namespace {

constexpr std::size_t kFindings = 550000;
constexpr double kOpenTarget = 1.0;         // seconds
constexpr double kScrollTarget = 1.0 / 30;  // seconds for one painted step

struct QuietHost : mapio::JobHost {
  bool PullSettings(mapio::JobSettings&) override { return true; }
  void PushSettings(const mapio::JobSettings&) override {}
  mapio::MessageButton ShowMessage(std::string_view, std::string_view,
                                   mapio::MessageKind) override {
    return mapio::MessageButton::Ok;
  }
};

// Half missing pictures, half pictures without a record, as a pack whose
// names were all changed gives.
mapio::checker::PackReport LargeReport() {
  using mapio::checker::Category;
  mapio::checker::PackReport report;
  report.folderPath = "/packs/faces";
  report.records = kFindings / 2;
  report.pictures = kFindings / 2;
  report.findingCount = kFindings;
  report.findings.reserve(kFindings);
  for (std::size_t i = 0; i < kFindings; ++i) {
    const std::string id = std::to_string(2000000 + i);
    if (i % 2 == 0)
      report.findings.emplace_back(Category::Missing, i + 3, "player " + id, id,
                                   "no picture player " + id + ".png, .jpg or .gif");
    else
      report.findings.emplace_back(Category::Unmapped, 0, id + ".png", "",
                                   "no record names this picture", id + ".png");
  }
  return report;
}

double Painted(QTableView* table, QElapsedTimer& clock) {
  table->viewport()->repaint();
  QApplication::processEvents();
  return clock.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QuietHost host;
  mapio::ui::CheckedPack checked{LargeReport(), {}};

  QElapsedTimer clock;
  clock.start();
  mapio::ui::CheckReport report(host, "/packs/faces", std::move(checked), {}, {}, {});
  mapio::qt::QtDialogs dialogs;
  mapio::qt::CReportDlg dialog(dialogs, nullptr, report);
  dialog.show();
  QApplication::processEvents();
  const double open = Painted(dialog.table(), clock);

  QScrollBar* bar = dialog.table()->verticalScrollBar();
  double scroll = 0;
  for (int step = 0; step < 40; ++step) {
    const int to =
        step % 2 == 0 ? bar->maximum() * (step + 1) / 41 : bar->value() + bar->pageStep();
    clock.restart();
    bar->setValue(to);
    scroll = std::max(scroll, Painted(dialog.table(), clock));
  }
  clock.restart();
  dialog.table()->sortByColumn(2, Qt::AscendingOrder);
  const double sort = Painted(dialog.table(), clock);

  const bool met = open <= kOpenTarget && scroll <= kScrollTarget;
  std::printf(
      "report: %zu findings: open %.3f s (target <= %.1f), worst scroll step %.1f ms "
      "(target <= %.1f), sort by name %.3f s  %s\n",
      kFindings, open, kOpenTarget, scroll * 1000, kScrollTarget * 1000, sort,
      met ? "met" : "MISSED");
  return met ? 0 : 1;
}
