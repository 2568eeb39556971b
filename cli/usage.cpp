#include "cli/usage.h"

#include <string_view>

#include "core/object_kind.h"

namespace mapio::cli {
namespace {

// Every line of the help fits a terminal of 80 columns.
constexpr std::size_t kWidth = 76;
constexpr std::size_t kOptionColumn = 24;
constexpr std::size_t kJobColumn = 13;
constexpr std::size_t kExampleColumn = 41;
constexpr std::string_view kSeveralFolders =
    "Several folders are done one after the other, each with its own messages.";

// The -k text: every kind's name, from the one table of kinds.
std::string KindsHelp() {
  std::string words = std::string("the kind of pictures (default ").append(KindOf(Faces).cliName) +
                      "; check, update, convert: the kind most records have):";
  std::string untranslatable;
  for (const KindRow& kind : kKinds) {
    words.append(" ").append(kind.cliName).append(",");
    if (!kind.translatable)
      untranslatable += (untranslatable.empty() ? "" : ", ") + std::string(kind.cliName);
  }
  return words + " or its number 0 to " + std::to_string(kObjectKindCount - 1) +
         " (translate takes no " + untranslatable + ")";
}

// "-n, --ids-from-names" or "    --to r|plain".
std::string OptionColumn(const OptionRow& row) {
  std::string names(row.names);
  const std::size_t comma = names.find(',');
  std::string shown = comma == std::string::npos
                          ? std::string("    ").append(names)
                          : names.substr(0, comma) + ", " + names.substr(comma + 1);
  if (!row.value.empty()) shown.append(" ").append(row.value);
  return shown;
}

void AppendOption(std::string& out, const OptionRow& row, std::string_view help) {
  std::string line = std::string("  ").append(OptionColumn(row));
  line.append(line.size() + 2 > kOptionColumn ? 2 : kOptionColumn - line.size(), ' ');
  const std::string words = help.empty() ? KindsHelp() : std::string(help);
  out += line + Wrapped(words, kOptionColumn, line.size(), kWidth) + "\n";
}

void AppendForms(std::string& out, const JobRow& row) {
  for (std::string_view form : row.forms) {
    std::string text(form);
    // The lines a long form goes on at line up under the job's name.
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
      text.insert(at + 1, "  ");
    out.append("  mapio-cli ").append(text) += '\n';
  }
}

void AppendExample(std::string& out, const ExampleRow& row) {
  std::string line = std::string("  mapio-cli ").append(row.command);
  if (line.size() + 2 > kExampleColumn) {
    out += line + "\n";
    line.clear();
  }
  line.append(kExampleColumn - line.size(), ' ');
  out += line + Wrapped(row.comment, kExampleColumn, kExampleColumn, kWidth) + "\n";
}

void AppendNotesAndExamples(std::string& out, std::optional<Job> job) {
  for (const NoteRow& note : NoteRows()) {
    bool shown = !job;
    for (const Job j : note.jobs) shown = shown || j == *job;
    if (shown) out.append("\n").append(Wrapped(note.text, 0, 0, kWidth)).append("\n");
  }
  out += "\nExamples:\n";
  for (const ExampleRow& example : ExampleRows())
    if (!job || example.job == *job) AppendExample(out, example);
}

}  // namespace

std::string Wrapped(std::string_view words, std::size_t indent, std::size_t column,
                    std::size_t width) {
  std::string text;
  std::size_t at = column;
  bool first = true;
  while (!words.empty()) {
    std::size_t end = words.find(' ');
    if (end == std::string_view::npos) end = words.size();
    const std::string_view word = words.substr(0, end);
    words.remove_prefix(std::min(end + 1, words.size()));
    if (!first && at + 1 + word.size() > width) {
      text.append("\n").append(indent, ' ');
      at = indent;
    } else if (!first) {
      text += ' ';
      ++at;
    }
    text += word;
    at += word.size();
    first = false;
  }
  return text;
}

std::string UsageText() {
  std::string out = "Usage:\n";
  for (const JobRow& row : JobRows()) AppendForms(out, row);
  out += "  mapio-cli help JOB | JOB --help\n  mapio-cli --help | --version\n\nJobs:\n";
  for (const JobRow& row : JobRows()) {
    std::string line = std::string("  ").append(row.name);
    line.append(kJobColumn - line.size(), ' ');
    out += line + Wrapped(row.description, kJobColumn, kJobColumn, kWidth) + "\n";
  }
  out.append(kSeveralFolders).append("\n\nOptions:\n");
  for (const OptionRow& row : OptionRows()) AppendOption(out, row, row.help);
  AppendNotesAndExamples(out, std::nullopt);
  return out;
}

std::string JobUsageText(Job job) {
  const JobRow& row = RowOf(job);
  std::string out = "Usage:\n";
  AppendForms(out, row);
  std::string about(row.description);
  about.append(" ").append(kSeveralFolders);
  out.append("\n").append(Wrapped(about, 0, 0, kWidth)).append("\n\nOptions:\n");
  for (const OptionRow& option : OptionRows())
    if (option.For(job)) AppendOption(out, option, option.HelpFor(job));
  AppendNotesAndExamples(out, job);
  return out;
}

}  // namespace mapio::cli
