#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string_view>

#include "core/job_events.h"

namespace mapio::cli {

// An answer line of the ID prompts: "1234" adds with that ID, "" declines;
// kits may add home, away or third ("12 away"). nullopt: neither, ask again.
struct PromptAnswer {
  std::optional<KitAnswer> add;  // nullopt declines
};
std::optional<PromptAnswer> ParseIdAnswer(std::string_view line, bool kit);

// The make job's prompts on a terminal: the file name and the counter on
// err, one line of input per file. The end of input declines every file
// still to come.
class TerminalPrompter : public IdPrompter {
 public:
  TerminalPrompter(std::istream& in, std::ostream& err, bool echoAnswers);

  std::optional<std::uint32_t> AskFileId(std::string_view fileName,
                                         std::string_view counter) override;
  std::optional<KitAnswer> AskKitId(std::string_view fileName, std::string_view counter) override;

 private:
  std::optional<KitAnswer> Ask(std::string_view fileName, std::string_view counter, bool kit);

  std::istream& in_;
  std::ostream& err_;
  bool echoAnswers_;
  bool endOfInput_ = false;
};

}  // namespace mapio::cli
