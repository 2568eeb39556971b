#include "cli/terminal.h"

#include <istream>
#include <ostream>

#include "platform/text.h"

namespace mapio::cli {
namespace {

constexpr auto kProgressDelay = std::chrono::milliseconds(500);
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

const char* PhaseName(JobProgress::Phase phase) {
  switch (phase) {
    case JobProgress::Phase::Counting: return "Counting";
    case JobProgress::Phase::Writing: return "Writing";
    case JobProgress::Phase::Renaming: return "Renaming";
    case JobProgress::Phase::Checking: return "Checking";
  }
  return "Working";
}

bool IsYes(std::string_view answer) {
  answer = platform::Trim(answer);
  return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes" || answer == "YES";
}

}  // namespace

Terminal::Terminal(std::istream& in, std::ostream& out, std::ostream& err, TerminalOptions options)
    : in_(in), out_(out), err_(err), options_(std::move(options)) {}

// Lines on stdout go out in blocks: a translate says half a million of
// them. Whatever goes to stderr waits for them, so that the two keep their
// order on a terminal or in one log.
void Terminal::Say(std::string_view text) {
  ClearProgress();
  line_.assign(text).push_back('\n');
  out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
}

void Terminal::Warn(std::string_view text) {
  ClearProgress();
  sawTrouble_ = true;
  out_.flush();
  err_ << text << '\n' << std::flush;
}

bool Terminal::Ask(std::string_view question) {
  if (options_.answer) return *options_.answer;
  ClearProgress();
  out_.flush();
  err_ << question << " [y/N] " << std::flush;
  std::string answer;
  if (!std::getline(in_, answer)) {
    err_ << '\n' << std::flush;
    return false;
  }
  if (options_.echoAnswers) err_ << answer << '\n' << std::flush;
  return IsYes(answer);
}

void Terminal::JobStarted() {
  jobStart_ = options_.now();
  reportsSinceCheck_ = 0;
  doneAtCheck_ = 0;
}

void Terminal::Progress(const JobProgress& progress) {
  if (!options_.progress) return;
  const std::uint64_t moved =
      progress.done >= doneAtCheck_ ? progress.done - doneAtCheck_ : kProgressCheckEvery;
  if (++reportsSinceCheck_ < kProgressCheckEvery && moved < kProgressCheckEvery) return;
  reportsSinceCheck_ = 0;
  doneAtCheck_ = progress.done;
  auto now = options_.now();
  if (now - jobStart_ < kProgressDelay) return;
  if (progressShown_ && now - lastDraw_ < kRedrawEvery) return;
  lastDraw_ = now;
  DrawProgress(progress);
}

void Terminal::DrawProgress(const JobProgress& progress) {
  out_.flush();
  err_ << '\r' << PhaseName(progress.phase) << ": " << progress.done;
  if (progress.total != 0) err_ << '/' << progress.total;
  err_ << " files\x1b[K" << std::flush;
  progressShown_ = true;
}

void Terminal::ClearProgress() {
  if (!progressShown_) return;
  err_ << "\r\x1b[K" << std::flush;
  progressShown_ = false;
}

}  // namespace mapio::cli
