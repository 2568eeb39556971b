#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/job_settings.h"
#include "core/object_kind.h"

namespace mapio {

// warning: exclamation, OK; information: information, OK;
// confirmation: question, OK and Cancel; question: question, Yes and No.
enum class MessageKind { Warning, Information, Confirmation, Question };
enum class MessageButton { Ok, Cancel, Yes, No };

// The caption a message gets when it is shown without one of its own.
inline constexpr std::string_view kApplicationName = "Mapio";
// The caption of every failure a job reports.
inline constexpr std::string_view kErrorCaption = "Error";
// The mapping file of a folder, which every job reads or writes.
inline constexpr std::string_view kMappingFileName = "config.xml";

// How far a long job has come; hosts may show it, none has to.
struct JobProgress {
  enum class Phase { Counting, Writing, Renaming, Checking };
  Phase phase = Phase::Counting;
  std::uint64_t done = 0;
  std::uint64_t total = 0;  // 0 while unknown
};

// What the jobs need of the window (or of any other front end).
class JobHost {
 public:
  virtual ~JobHost() = default;
  // Copies the controls into `settings`. False only when the path box holds
  // more than it may; callers go on regardless.
  virtual bool PullSettings(JobSettings& settings) = 0;
  virtual void PushSettings(const JobSettings& settings) = 0;
  // An empty caption means kApplicationName.
  virtual MessageButton ShowMessage(std::string_view text, std::string_view caption,
                                    MessageKind kind) = 0;
  // Called often (once per file); cheap hosts ignore it.
  virtual void ReportProgress(const JobProgress& /*progress*/) {}
};

struct KitAnswer {
  std::uint32_t id = 0;
  KitKind kitKind = KitKind::Home;
};

// The make job's two prompts: one call per picture. nullopt declines it.
class IdPrompter {
 public:
  virtual ~IdPrompter() = default;
  virtual std::optional<std::uint32_t> AskFileId(std::string_view fileName,
                                                 std::string_view counter) = 0;
  virtual std::optional<KitAnswer> AskKitId(std::string_view fileName,
                                            std::string_view counter) = 0;
};

}  // namespace mapio
