#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "core/job_host.h"

namespace mapio::cli {

using Clock = std::chrono::steady_clock;

struct TerminalHostOptions {
  // Answer to "replace file?" questions; nullopt reads it from the input.
  std::optional<bool> overwrite;
  // Echo answers read from the input, so that a log of a piped run reads
  // like a session at the terminal (where the terminal echoes them itself).
  bool echoAnswers = false;
  // Draw the progress line; only ever true when stderr is a terminal.
  bool progress = false;
  // The clock the progress line goes by; tests hand in their own.
  std::function<Clock::time_point()> now = [] { return Clock::now(); };
};

// The window's part for a terminal: settings held in memory, messages printed
// as "Caption: text" (information on out, the rest on err), questions read
// from a line of input, progress as one self-updating line on err.
class TerminalHost : public JobHost {
 public:
  TerminalHost(std::istream& in, std::ostream& out, std::ostream& err, TerminalHostOptions options);

  // What the window's controls would hold.
  JobSettings controls;

  bool PullSettings(JobSettings& settings) override;
  void PushSettings(const JobSettings& settings) override;
  MessageButton ShowMessage(std::string_view text, std::string_view caption,
                            MessageKind kind) override;
  void ReportProgress(const JobProgress& progress) override;

  // True once any warning or error has been shown.
  bool SawTrouble() const { return sawTrouble_; }
  // Wipes the progress line, if one is showing.
  void ClearProgress();

  // The clock is looked at once per this many reports, or sooner when the
  // count of files has moved on by as much (the writer reports only every
  // few thousand files).
  static constexpr std::uint64_t kProgressCheckEvery = 256;

 private:
  bool Ask();
  void DrawProgress(const JobProgress& progress);

  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  TerminalHostOptions options_;
  bool sawTrouble_ = false;

  Clock::time_point jobStart_;
  Clock::time_point lastDraw_;
  std::uint64_t reportsSinceCheck_ = 0;
  std::uint64_t doneAtCheck_ = 0;
  bool progressShown_ = false;
};

}  // namespace mapio::cli
