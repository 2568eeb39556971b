// What a job may ask of whoever runs it while it runs, and how far it has
// come: the one narrow interface between a job and a window or a terminal.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "core/object_kind.h"

namespace mapio {

// The mapping file of a folder, which every job reads or writes.
inline constexpr std::string_view kMappingFileName = "config.xml";

// How far a long job has come; front ends may show it, none has to.
struct JobProgress {
  enum class Phase { Counting, Writing, Renaming, Checking };
  Phase phase = Phase::Counting;
  std::uint64_t done = 0;
  std::uint64_t total = 0;  // 0 while unknown
};

struct KitAnswer {
  std::uint32_t id = 0;
  KitKind kitKind = KitKind::Home;
};

// The two questions of the make job, one per picture. nullopt declines it.
class IdPrompter {
 public:
  virtual ~IdPrompter() = default;
  virtual std::optional<std::uint32_t> AskFileId(std::string_view fileName,
                                                 std::string_view counter) = 0;
  virtual std::optional<KitAnswer> AskKitId(std::string_view fileName,
                                            std::string_view counter) = 0;
};

// Everything the make and update jobs may ask while they run.
struct JobQuestions {
  JobQuestions(IdPrompter& ids) : ids(ids) {}  // NOLINT: {prompter} reads best

  IdPrompter& ids;
  // config.xml is there already: replace it? false keeps it and ends the job.
  std::function<bool()> replaceMapping = [] { return false; };
  // Called often (once per file); may be empty.
  std::function<void(const JobProgress&)> progress;
};

}  // namespace mapio
