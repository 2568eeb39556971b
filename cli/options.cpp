#include "cli/options.h"

#include <algorithm>

namespace mapio::cli {
namespace {

using enum Job;

constexpr Job kEveryJob[] = {Make, Translate, Check, Scan, Why, Update, Convert, Undo};
constexpr Job kKindJobs[] = {Make, Translate, Check, Why, Update, Convert, Undo};
constexpr Job kQuietJobs[] = {Make, Translate, Check, Scan, Update, Convert, Undo};
constexpr Job kMakeUpdate[] = {Make, Update};
constexpr Job kMakeOnly[] = {Make};
constexpr Job kCheckOnly[] = {Check};
constexpr Job kCheckScan[] = {Check, Scan};
constexpr Job kScanOnly[] = {Scan};
constexpr Job kWhyOnly[] = {Why};
constexpr Job kUpdateOnly[] = {Update};
constexpr Job kConvertOnly[] = {Convert};
constexpr Job kUndoOnly[] = {Undo};
constexpr Job kChanging[] = {Translate, Update, Convert, Undo};
constexpr Job kChangingOrMaking[] = {Make, Translate, Update, Convert, Undo};

constexpr std::string_view kMakeForms[] = {"make FOLDER... [-k KIND] [-n] [-y | --no] [-q]"};
constexpr std::string_view kTranslateForms[] = {"translate FOLDER... [-k KIND] [--dry-run] [-q]"};
constexpr std::string_view kCheckForms[] = {
    "check FOLDER... [-k KIND] [--case-sensitive]\n"
    "          [--no-pictures | --deep] [--json] [-q]"};
constexpr std::string_view kScanForms[] = {
    "scan FOLDER... [--json] [--no-pictures | --deep] [--case-sensitive]\n"
    "          [-q]"};
constexpr std::string_view kWhyForms[] = {"why [-k KIND] FOLDER ID"};
constexpr std::string_view kUpdateForms[] = {
    "update FOLDER... [-k KIND] [-n] [--prune] [--dry-run] [-q]"};
constexpr std::string_view kConvertForms[] = {
    "convert FOLDER... --to r|plain [-k KIND]\n"
    "          [--ids RANGES | --ids-from FILE] [--dry-run] [-q]"};
constexpr std::string_view kUndoForms[] = {"undo FOLDER... [--dry-run] [-q]",
                                           "undo --list FOLDER..."};

constexpr JobRow kJobRows[] = {
    {Make, "make", kMakeForms, "Make config.xml file: one record per file of each FOLDER."},
    {Translate, "translate", kTranslateForms,
     "Translate file names to IDs: rename each picture that FOLDER's config.xml maps to its "
     "ID, keeping the extension."},
    {Check, "check", kCheckForms,
     "Tell what is wrong with each FOLDER and its config.xml (pictures missing, unmapped or "
     "only in other letter case, duplicate names and IDs, records of another kind, ...); "
     "changes no file."},
    {Scan, "scan", kScanForms,
     "Check every pack below each FOLDER (each folder that holds a config.xml, FOLDER too), "
     "then tell what two packs claim: one picture of the game mapped by both (clash), or one "
     "picture name mapped as two kinds (name-clash); changes no file."},
    {Why, "why", kWhyForms,
     "Tell what the game would find for one ID (2000123 or r-2000123) below FOLDER: every "
     "record that maps it, its picture and what is wrong with either; changes no file."},
    {Update, "update", kUpdateForms,
     "Add records for the pictures of FOLDER that its config.xml does not map yet, just before "
     "</list>; every other byte stays."},
    {Convert, "convert", kConvertForms,
     "Write the IDs of FOLDER's records in the other style: with the r- of generated people "
     "(--to r, r-2000123) or plain (--to plain); every other byte of config.xml stays."},
    {Undo, "undo", kUndoForms,
     "Take back FOLDER's latest translate: every rename it made, back, from its journal; "
     "--list shows the translates on record."},
};

constexpr JobText kDryRunHelp[] = {
    {Translate, "show each rename that would be made; change nothing"},
    {Update, "show each record that would be added (+) or removed (-); change nothing"},
    {Convert, "show each record as it is and as it would be; change nothing"},
    {Undo, "show how many renames would be taken back; change nothing"},
};

constexpr OptionRow kOptionRows[] = {
    {"-k,--kind", "KIND", "", kKindJobs, {}, nullptr, &RawOptions::kind},
    {"-n,--ids-from-names",
     "",
     "All filenames are IDs: take each ID from the number the file name begins with, ask "
     "nothing",
     kMakeUpdate,
     {},
     &RawOptions::idsFromNames},
    {"-y,--yes", "", "replace a config.xml that is already there", kMakeOnly, {}, &RawOptions::yes},
    {"--no",
     "",
     "keep it and leave that folder alone (with neither, the question is read from stdin)",
     kMakeOnly,
     {},
     &RawOptions::no},
    {"--dry-run", "",
     "show each rename translate would make, each record update would add (+) or remove (-), "
     "what convert or undo would change; change nothing",
     kChanging, kDryRunHelp, &RawOptions::dryRun},
    {"--prune",
     "",
     "update: remove the records whose picture has gone",
     kUpdateOnly,
     {},
     &RawOptions::prune},
    {"--to",
     "r|plain",
     "convert: the style the IDs are to have",
     kConvertOnly,
     {},
     nullptr,
     &RawOptions::to},
    {"--ids",
     "RANGES",
     "convert: only these IDs, such as 2000000-2999999 (a comma between several, or the option "
     "again)",
     kConvertOnly,
     {},
     nullptr,
     nullptr,
     &RawOptions::ids},
    {"--ids-from",
     "FILE",
     "convert: only the IDs FILE lists, one a line (at most 10 million)",
     kConvertOnly,
     {},
     nullptr,
     &RawOptions::idsFrom},
    {"--list",
     "",
     "undo: the translates on record, newest first",
     kUndoOnly,
     {},
     &RawOptions::list},
    {"--json",
     "",
     "check, scan: the report as one JSON document on stdout",
     kCheckScan,
     {},
     &RawOptions::json},
    {"--case-sensitive",
     "",
     "check, scan: report pictures found only in other letter case (the game finds them on "
     "Windows and macOS)",
     kCheckScan,
     {},
     &RawOptions::caseSensitive},
    {"--no-pictures",
     "",
     "check, scan: do not look inside the pictures (their format, header and size)",
     kCheckScan,
     {},
     &RawOptions::noPictures},
    {"--deep",
     "",
     "check, scan: decode every picture whole, to find damage past its header (slow)",
     kCheckScan,
     {},
     &RawOptions::deep},
    {"-q,--quiet", "", "no progress line", kQuietJobs, {}, &RawOptions::quiet},
    {"-h,--help", "", "show this help", kEveryJob, {}, &RawOptions::help},
    {"--version", "", "show the version", {}, {}, &RawOptions::version},
};

constexpr NoteRow kNoteRows[] = {
    {"Without -n, make (and update, for the new pictures only) asks on stderr for the ID of "
     "every file and reads one line of stdin per file: a number (0 to 4294967295) adds the "
     "file with that ID, an empty line leaves it out; for kits the number may be followed by "
     "home, away or third (\"12 away\"; home when none is given). The end of input leaves out "
     "every remaining file.",
     kMakeUpdate},
    {"What a job did goes to stdout, warnings and errors to stderr. A question that -y or --no "
     "answers is not asked. Exit status: 0 when all went well, 1 when any warning or error was "
     "shown, 2 for a wrong command line.",
     kChangingOrMaking},
    {"check prints one line per finding, \"FOLDER/config.xml:LINE: CATEGORY: text\" (or "
     "\"FOLDER/PICTURE: unmapped: text\"), then \"FOLDER: R records, P pictures, F findings\" "
     "for each folder, on stdout. Without -k it checks each folder for the kind most of its "
     "records have, and says which. Exit status: 0 when no folder has a finding, 1 when any "
     "has, 2 for a wrong command line.",
     kCheckOnly},
    {"scan prints each pack's findings as check does, its files named from FOLDER "
     "(\"faces/config.xml:12: missing: ...\"), and the pack's summary line; then one line per "
     "clash, at the first record of it, naming every other record as FILE:LINE; last "
     "\"FOLDER: N packs, R records, P pictures, F findings, C clashes\". A clash inside one pack "
     "is that pack's own finding. Links to folders are not followed. Exit status: 0 when "
     "nothing was found, 1 otherwise, 2 for a wrong command line.",
     kScanOnly},
    {"why lists every record below FOLDER that maps the ID (of faces without -k), in plain or "
     "r- form, as FILE:LINE; its picture: found, found only in other letter case, or missing, "
     "with its format and size; and every finding about the record or its picture. When no "
     "record maps it, it names the pictures below FOLDER named after the ID. Exit status: 0 "
     "when exactly one record maps the ID and its picture is in order, 1 otherwise, 2 for a "
     "wrong command line.",
     kWhyOnly},
};

constexpr ExampleRow kExampleRows[] = {
    {Make, "make -n -y faces", "IDs from the file names, replace config.xml"},
    {Make, "make -k kits kits < ids.txt", "IDs (and home, away, third) from ids.txt"},
    {Translate, "translate -k club-logos logos", "rename the club logos to their IDs"},
    {Translate, "translate --dry-run faces", "show the renames only"},
    {Check, "check -k kits kits", "what is wrong with the kits pack"},
    {Scan, "scan graphics", "every pack below graphics, and what two of them claim"},
    {Why, "why graphics 2000123", "why the face of 2000123 does or does not show"},
    {Why, "why -k club-logos graphics 1123", "the same for the logo of club 1123"},
    {Update, "update -n --prune faces", "map the new faces, drop the records of gone ones"},
    {Convert, "convert --to r --ids 2000000-2999999 faces", "generated players in the r- style"},
    {Undo, "undo faces", "take back the latest translate of faces"},
};

}  // namespace

bool OptionRow::For(Job job) const {
  return std::find(jobs.begin(), jobs.end(), job) != jobs.end();
}

std::string_view OptionRow::HelpFor(Job job) const {
  for (const JobText& own : jobHelp)
    if (own.job == job) return own.text;
  std::string_view words = help;
  const std::string_view name = RowOf(job).name;
  if (words.substr(0, name.size()) == name && words.substr(name.size(), 2) == ": ")
    words.remove_prefix(name.size() + 2);
  return words;
}

std::span<const JobRow> JobRows() { return kJobRows; }
std::span<const OptionRow> OptionRows() { return kOptionRows; }
std::span<const NoteRow> NoteRows() { return kNoteRows; }
std::span<const ExampleRow> ExampleRows() { return kExampleRows; }

const JobRow& RowOf(Job job) { return kJobRows[static_cast<std::size_t>(job)]; }

std::string JobNames() {
  std::string names;
  for (std::size_t i = 0; i < std::size(kJobRows); ++i)
    names.append(i == 0                         ? ""
                 : i + 1 == std::size(kJobRows) ? " or "
                                                : ", ")
        .append(kJobRows[i].name);
  return names;
}

std::optional<Job> JobNamed(std::string_view name) {
  for (const JobRow& row : kJobRows)
    if (row.name == name) return row.job;
  return std::nullopt;
}

}  // namespace mapio::cli
