// Shows how far a long job has come. A job runs on the UI thread, so the
// display also keeps the windows painted while it works.
#pragma once

#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include <functional>

#include "ui/job_host.h"
#include "ui/progress_pacer.h"

class QWidget;

namespace mapio::qt {

class ProgressDisplay {
 public:
  using Clock = std::function<qint64()>;  // milliseconds, any origin

  // Without a clock the display uses a steady one.
  explicit ProgressDisplay(QWidget* owner, Clock clock = {});
  ~ProgressDisplay();
  ProgressDisplay(const ProgressDisplay&) = delete;
  ProgressDisplay& operator=(const ProgressDisplay&) = delete;

  void Begin();
  void Report(const JobProgress& progress);
  void End();

  using Pause = ui::ProgressPause<ProgressDisplay>;
  void PauseProgress();
  void ResumeProgress() { pacer_.Resume(); }

  bool shown() const;
  // The dialog once it has been made (for tests and screenshots).
  QProgressDialog* dialog() const { return dialog_; }
  static QString Describe(const JobProgress& progress);

 private:
  void Show();
  void Hide();

  QWidget* owner_;
  ui::ProgressPacer pacer_;
  QPointer<QProgressDialog> dialog_;
};

}  // namespace mapio::qt
