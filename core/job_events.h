// What a running job tells whoever runs it, and what it asks: the one kind
// of interface between a job and a window or a terminal.
#pragma once

#include <cstdint>
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

// Each job takes its own events, made from these: what a front end does not
// override is heard by no one, and a question it does not answer is declined.
class JobEvents {
 public:
  virtual ~JobEvents() = default;
  // Called often (once per file); front ends pace what they show.
  virtual void Progress(const JobProgress& /*progress*/) {}
};

// What the make and update jobs ask while they run.
class MakeEvents : public JobEvents, public IdPrompter {
 public:
  // config.xml is there already: replace it? false keeps it and ends the job.
  virtual bool ReplaceMapping() { return false; }
  std::optional<std::uint32_t> AskFileId(std::string_view /*fileName*/,
                                         std::string_view /*counter*/) override {
    return std::nullopt;
  }
  std::optional<KitAnswer> AskKitId(std::string_view /*fileName*/,
                                    std::string_view /*counter*/) override {
    return std::nullopt;
  }
};

}  // namespace mapio
