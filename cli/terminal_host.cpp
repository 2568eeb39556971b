#include "cli/terminal_host.h"

#include <istream>
#include <ostream>

#include "platform/platform.h"

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

TerminalHost::TerminalHost(std::istream& in, std::ostream& out, std::ostream& err,
                           TerminalHostOptions options)
    : in_(in), out_(out), err_(err), options_(std::move(options)) {}

bool TerminalHost::PullSettings(JobSettings& settings) {
  // Every job starts with a pull: the progress line's delay counts from here.
  jobStart_ = options_.now();
  reportsSinceCheck_ = 0;
  doneAtCheck_ = 0;
  settings = controls;
  return controls.folderPath.size() <= platform::kMaxFolderPath;
}

void TerminalHost::PushSettings(const JobSettings& settings) { controls = settings; }

MessageButton TerminalHost::ShowMessage(std::string_view text, std::string_view caption,
                                        MessageKind kind) {
  ClearProgress();
  if (caption.empty()) caption = kApplicationName;
  switch (kind) {
    case MessageKind::Information:
      out_ << caption << ": " << text << '\n' << std::flush;
      return MessageButton::Ok;
    case MessageKind::Warning:
      sawTrouble_ = true;
      err_ << caption << ": " << text << '\n' << std::flush;
      return MessageButton::Ok;
    case MessageKind::Confirmation:
      err_ << caption << ": " << text;
      return Ask() ? MessageButton::Ok : MessageButton::Cancel;
    case MessageKind::Question:
      err_ << caption << ": " << text;
      return Ask() ? MessageButton::Yes : MessageButton::No;
  }
  return MessageButton::Ok;
}

// Only Yes (or OK) goes ahead; anything else, and the end of input, is No.
bool TerminalHost::Ask() {
  err_ << " [y/N] ";
  if (options_.overwrite) {
    err_ << (*options_.overwrite ? "y" : "n") << '\n' << std::flush;
    return *options_.overwrite;
  }
  err_ << std::flush;
  std::string answer;
  if (!std::getline(in_, answer)) {
    err_ << '\n' << std::flush;
    return false;
  }
  if (options_.echoAnswers) err_ << answer << '\n' << std::flush;
  return IsYes(answer);
}

void TerminalHost::ReportProgress(const JobProgress& progress) {
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

void TerminalHost::DrawProgress(const JobProgress& progress) {
  err_ << '\r' << PhaseName(progress.phase) << ": " << progress.done;
  if (progress.total != 0) err_ << '/' << progress.total;
  err_ << " files\x1b[K" << std::flush;
  progressShown_ = true;
}

void TerminalHost::ClearProgress() {
  if (!progressShown_) return;
  err_ << "\r\x1b[K" << std::flush;
  progressShown_ = false;
}

}  // namespace mapio::cli
