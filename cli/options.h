// The jobs and options of mapio-cli, each written once: the command line
// is parsed by this table and its help is made from it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mapio::cli {

// The jobs, in the order the help gives them.
enum class Job { Make, Translate, Check, Scan, Why, Update, Convert, Undo };

// What the command line said, before it is checked.
struct RawOptions {
  std::vector<std::string> folders;
  std::string kind;  // empty: not given
  bool help = false, version = false, quiet = false, dryRun = false;
  bool idsFromNames = false, yes = false, no = false, prune = false;           // make, update
  bool json = false, caseSensitive = false, noPictures = false, deep = false;  // check
  std::string to;                                                              // convert
  std::vector<std::string> ids;
  std::string idsFrom;
  bool list = false;  // undo
};

struct JobRow {
  Job job;
  std::string_view name;
  std::span<const std::string_view> forms;  // its usage lines, after "mapio-cli "
  std::string_view description;
};

struct JobText {
  Job job;
  std::string_view text;
};

// One option; `jobs` empty: an option of the program itself.
struct OptionRow {
  std::string_view names;  // as the argument library takes them: "-n,--ids-from-names"
  std::string_view value;  // its value's name ("r|plain"); empty for a flag
  std::string_view help;   // on the whole page; empty: the list of kinds
  std::span<const Job> jobs;
  std::span<const JobText> jobHelp;  // on a job's own page, where it says less
  bool RawOptions::*flag = nullptr;
  std::string RawOptions::*text = nullptr;
  std::vector<std::string> RawOptions::*list = nullptr;  // a value a time, or commas

  bool For(Job job) const;
  // On `job`'s own page: its own words, or the whole page's without "JOB: ".
  std::string_view HelpFor(Job job) const;
};

// A paragraph after the options, and the jobs it is about.
struct NoteRow {
  std::string_view text;
  std::span<const Job> jobs;
};

struct ExampleRow {
  Job job;
  std::string_view command;  // after "mapio-cli "
  std::string_view comment;
};

std::span<const JobRow> JobRows();
std::span<const OptionRow> OptionRows();
std::span<const NoteRow> NoteRows();
std::span<const ExampleRow> ExampleRows();

const JobRow& RowOf(Job job);
std::optional<Job> JobNamed(std::string_view name);
// "make, translate, ... or undo"
std::string JobNames();

}  // namespace mapio::cli
