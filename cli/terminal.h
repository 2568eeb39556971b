// mapio-cli's terminal: lines on stdout, warnings and errors on stderr,
// yes-or-no questions read from a line of input, and progress as one
// self-updating line on stderr.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "core/job_events.h"

namespace mapio::cli {

using Clock = std::chrono::steady_clock;

struct TerminalOptions {
  // The answer to every yes-or-no question (-y, --no); nullopt reads it
  // from the input.
  std::optional<bool> answer;
  // Echo answers read from the input, so that a log of a piped run reads
  // like a session at the terminal (where the terminal echoes them itself).
  bool echoAnswers = false;
  // Draw the progress line; only ever true when stderr is a terminal.
  bool progress = false;
  // The clock the progress line goes by; tests hand in their own.
  std::function<Clock::time_point()> now = [] { return Clock::now(); };
};

class Terminal {
 public:
  Terminal(std::istream& in, std::ostream& out, std::ostream& err, TerminalOptions options);

  // A line on stdout.
  void Say(std::string_view text);
  // A line on stderr; the run then ends with kExitTrouble.
  void Warn(std::string_view text);
  // Only yes goes ahead; anything else, and the end of input, is no. A
  // question that -y or --no answered is not printed.
  bool Ask(std::string_view question);

  // A job starts: the progress line's delay counts from here.
  void JobStarted();
  void Progress(const JobProgress& progress);
  // Wipes the progress line, if one is showing.
  void ClearProgress();

  // True once any warning or error has been printed.
  bool SawTrouble() const { return sawTrouble_; }

  // The clock is looked at once per this many reports, or sooner when the
  // count of files has moved on by as much (the writer reports only every
  // few thousand files).
  static constexpr std::uint64_t kProgressCheckEvery = 256;

 private:
  void DrawProgress(const JobProgress& progress);

  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  TerminalOptions options_;
  std::string line_;  // the line Say writes, kept to spare an allocation each
  bool sawTrouble_ = false;
  bool progressShown_ = false;
  Clock::time_point jobStart_{};
  Clock::time_point lastDraw_{};
  std::uint64_t reportsSinceCheck_ = 0;
  std::uint64_t doneAtCheck_ = 0;
};

}  // namespace mapio::cli
