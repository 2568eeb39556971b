#include "ui/qt/progress_display.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

#include <limits>

#include "ui/progress_text.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {

namespace {

ProgressDisplay::Clock SteadyClock() {
  auto timer = std::make_shared<QElapsedTimer>();
  timer->start();
  return [timer] { return timer->elapsed(); };
}

int ClampToInt(std::uint64_t value) {
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<int>::max());
  return static_cast<int>(value > kMax ? kMax : value);
}

}  // namespace

ProgressDisplay::ProgressDisplay(QWidget* owner, Clock clock)
    : owner_(owner), pacer_(clock ? std::move(clock) : SteadyClock()) {}

ProgressDisplay::~ProgressDisplay() { delete dialog_.data(); }

QString ProgressDisplay::Describe(const JobProgress& progress) {
  return ToQString(ui::DescribeProgress(progress));
}

void ProgressDisplay::Begin() { pacer_.Begin(); }

void ProgressDisplay::Report(const JobProgress& progress) {
  const ui::ProgressPacer::Step step = pacer_.Report(shown());
  if (step.show) Show();
  if (shown()) {
    // Renaming knows no total; a busy bar says so.
    const bool known = progress.total > 0 && progress.phase != JobProgress::Phase::Counting;
    dialog_->setMaximum(known ? ClampToInt(progress.total) : 0);
    dialog_->setValue(known ? ClampToInt(std::min(progress.done, progress.total)) : 0);
    dialog_->setLabelText(Describe(progress));
  }
  if (step.repaint) {
    // Paint, but take no input: the window must not start a second job.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
}

void ProgressDisplay::End() {
  pacer_.End();
  Hide();
}

bool ProgressDisplay::shown() const { return dialog_ && dialog_->isVisible(); }

void ProgressDisplay::Show() {
  if (!dialog_) {
    dialog_ = new QProgressDialog(owner_);
    dialog_->setWindowTitle(ToQString(kApplicationName));
    dialog_->setCancelButton(nullptr);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumWidth(300);
  }
  dialog_->show();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressDisplay::Hide() {
  if (dialog_) dialog_->hide();
}

void ProgressDisplay::PauseProgress() {
  pacer_.Pause();
  Hide();
}

}  // namespace mapio::qt
