#include "cli/terminal_prompter.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <string>

#include "core/id_number.h"
#include "platform/text.h"

namespace mapio::cli {
namespace {

std::optional<KitKind> ParseKitKind(std::string_view word) {
  if (word.empty()) return KitKind::Home;
  for (std::size_t i = 0; i < kKitKindNames.size(); ++i) {
    if (word == kKitKindNames[i]) return static_cast<KitKind>(i);
  }
  return std::nullopt;
}

// Splits "12 away" into "12" and "away"; the second part may be empty.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view text) {
  std::size_t gap = 0;
  while (gap < text.size() && !platform::IsSpaceByte(static_cast<unsigned char>(text[gap]))) ++gap;
  return {text.substr(0, gap), platform::Trim(text.substr(gap))};
}

}  // namespace

std::optional<PromptAnswer> ParseIdAnswer(std::string_view line, bool kit) {
  line = platform::Trim(line);
  if (line.empty()) return PromptAnswer{};
  auto [number, rest] = SplitWord(line);
  auto id = ParseIdNumber(number);
  if (!id) return std::nullopt;
  if (!kit) {
    if (!rest.empty()) return std::nullopt;
    return PromptAnswer{KitAnswer{*id, KitKind::Home}};
  }
  auto kitKind = ParseKitKind(rest);
  if (!kitKind) return std::nullopt;
  return PromptAnswer{KitAnswer{*id, *kitKind}};
}

TerminalPrompter::TerminalPrompter(std::istream& in, std::ostream& err, bool echoAnswers)
    : in_(in), err_(err), echoAnswers_(echoAnswers) {}

std::optional<std::uint32_t> TerminalPrompter::AskFileId(std::string_view fileName,
                                                         std::string_view counter) {
  auto answer = Ask(fileName, counter, false);
  if (!answer) return std::nullopt;
  return answer->id;
}

std::optional<KitAnswer> TerminalPrompter::AskKitId(std::string_view fileName,
                                                    std::string_view counter) {
  return Ask(fileName, counter, true);
}

std::optional<KitAnswer> TerminalPrompter::Ask(std::string_view fileName, std::string_view counter,
                                               bool kit) {
  if (endOfInput_) return std::nullopt;
  for (;;) {
    err_ << fileName << " [" << counter << "] " << (kit ? "ID [home|away|third]: " : "ID: ")
         << std::flush;
    std::string line;
    if (!std::getline(in_, line)) {
      endOfInput_ = true;
      err_ << "(end of input: this file and the rest are left out)\n" << std::flush;
      return std::nullopt;
    }
    if (echoAnswers_) err_ << line << '\n';
    if (auto answer = ParseIdAnswer(line, kit)) return answer->add;
    err_ << (kit ? "Type a number from 0 to 4294967295, optionally followed by home, away or "
                   "third, or an empty line to leave the file out.\n"
                 : "Type a number from 0 to 4294967295, or an empty line to leave the file "
                   "out.\n");
  }
}

}  // namespace mapio::cli
