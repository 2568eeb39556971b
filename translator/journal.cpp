#include "translator/journal.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace mapio::translator {

namespace {

// A journal is lines of fields split by tabs:
//   mapio-journal 1 | folder PATH | started SECONDS | p FROM ID ... |
//   r ENTRY OLD NEW ... | end | u INDEX ...
// Names have their backslashes, tabs and line ends written as \\ \t \n \r.
constexpr std::string_view kMagic = "mapio-journal\t1";
constexpr std::string_view kSuffix = ".journal";

void AppendField(std::string& line, std::string_view text) {
  line += '\t';
  // Most names have nothing to escape: the run before the first such
  // character is copied at once.
  static constexpr auto kEscaped = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {'\\', '\t', '\n', '\r'}) table[c] = true;
    return table;
  }();
  std::size_t plain = 0;
  while (plain < text.size() && !kEscaped[static_cast<unsigned char>(text[plain])]) ++plain;
  line.append(text.substr(0, plain));
  for (const char c : text.substr(plain)) {
    switch (c) {
      case '\\': line += "\\\\"; break;
      case '\t': line += "\\t"; break;
      case '\n': line += "\\n"; break;
      case '\r': line += "\\r"; break;
      default: line += c;
    }
  }
}

std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') {
      fields.emplace_back();
    } else if (c == '\\' && i + 1 < line.size()) {
      const char next = line[++i];
      fields.back() += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::optional<std::size_t> Number(const std::string& text) {
  std::size_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Journals of one folder share a name's start: its path hashed (FNV-1a).
std::string KeyOf(const std::string& folder) {
  std::uint64_t hash = 1469598103934665603u;
  for (const char c : folder) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211u;
  }
  constexpr char kHex[] = "0123456789abcdef";
  std::string key;
  for (int shift = 60; shift >= 0; shift -= 4) key += kHex[(hash >> shift) & 15];
  return key;
}

// The start of a journal's name: the folder's key and the time, so that
// names sort from oldest to newest.
std::string NameStart(const std::string& folder, std::time_t started) {
  std::string seconds = std::to_string(started);
  seconds.insert(0, 12 - std::min<std::size_t>(12, seconds.size()), '0');
  return KeyOf(folder) + "-" + seconds;
}

std::vector<std::string> JournalPaths(const std::string& journalFolder, const std::string& folder);

}  // namespace

std::optional<std::string> JournalFolder() {
  const std::optional<std::string> data = platform::UserDataFolder();
  if (!data) return std::nullopt;
  return platform::JoinPath(*data, "journals");
}

bool JournalWriter::Begin(const std::string& journalFolder, const std::string& folder) {
  if (!platform::MakeFolders(journalFolder)) return false;
  const std::time_t now = platform::Now();
  const std::string start = NameStart(folder, now);
  // Numbered above every journal of the same second: a number freed by the
  // pruning below would otherwise sort the new journal as the oldest.
  std::size_t first = 0;
  for (const std::string& path : JournalPaths(journalFolder, folder)) {
    const std::string name = path.substr(path.find_last_of("/\\") + 1);
    if (!name.starts_with(start + "-")) continue;
    const std::string number =
        name.substr(start.size() + 1, name.size() - start.size() - 1 - kSuffix.size());
    first = std::max(first, Number(number).value_or(0) + 1);
  }
  for (std::size_t attempt = first; attempt < first + 100 && !file_.Good(); ++attempt) {
    path_ = platform::JoinPath(journalFolder,
                               start + "-" + std::to_string(attempt) + std::string(kSuffix));
    file_.Create(path_);
  }
  if (!file_.Good()) return false;
  line_.assign(kMagic).append("\nfolder");
  AppendField(line_, folder);
  line_.append("\nstarted\t").append(std::to_string(now)).append("\n");
  file_.Write(line_);
  // Older journals of the folder beyond those kept go, by their names alone.
  const std::vector<std::string> journals = JournalPaths(journalFolder, folder);
  for (std::size_t i = kJournalsKept; i < journals.size(); ++i)
    if (journals[i] != path_) platform::RemoveFile(journals[i]);
  return true;
}

void JournalWriter::Plan(std::string_view from, std::string_view id) {
  if (!file_.Good()) return;
  line_.clear();
  line_.push_back('p');  // not assign(): GCC 12 warns falsely (-Wrestrict) on 32-bit
  AppendField(line_, from);
  AppendField(line_, id);
  file_.Write(line_.append("\n"));
  ++planned_;
}

bool JournalWriter::PlanWritten() { return file_.Good() && file_.Sync(); }

void JournalWriter::Renamed(std::size_t entry, std::string_view oldName, std::string_view newName) {
  if (!file_.Good()) return;
  line_.assign("r\t").append(std::to_string(entry));
  AppendField(line_, oldName);
  AppendField(line_, newName);
  file_.Write(line_.append("\n"));
  // Handed to the system now and then, so that a killed run loses only its
  // last few: the plan still tells those, but for the letter case of a
  // name found in other case.
  if (++renamed_ % kRenamesPerFlush == 0) file_.Flush();
}

void JournalWriter::End() {
  if (!file_.Good()) return;
  file_.Write("end\n");
  file_.Close();
}

void JournalWriter::AbandonForTesting() { file_.DropForTesting(); }

bool ReadJournal(const std::string& path, bool whole, Journal& journal) {
  platform::TextReader reader;
  std::string text;
  if (!reader.Open(path, platform::FileMode::Binary) || !reader.ReadAll(text)) return false;
  journal = {};
  journal.path = path;
  std::size_t pos = 0;
  bool first = true;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    // A line cut off by a kill is no line.
    if (end == std::string::npos) break;
    const std::string_view line(text.data() + pos, end - pos);
    pos = end + 1;
    if (first) {
      if (line != kMagic) return false;
      first = false;
      continue;
    }
    // Counting needs no more than the line's kind.
    if (!whole && line.size() > 1 && line[1] == '\t' &&
        std::string_view("pru").find(line[0]) != std::string_view::npos) {
      ++(line[0] == 'p' ? journal.planned : line[0] == 'r' ? journal.renamed : journal.undoneCount);
      continue;
    }
    const std::vector<std::string> f = Fields(line);
    if (f[0] == "p" && f.size() == 3) {
      journal.plan.push_back({f[1], f[2]});
      ++journal.planned;
    } else if (f[0] == "r" && f.size() == 4) {
      const auto entry = Number(f[1]);
      if (entry && *entry < journal.plan.size()) journal.renames.push_back({*entry, f[2], f[3]});
      ++journal.renamed;
    } else if (f[0] == "u" && f.size() == 2) {
      if (const auto index = Number(f[1])) journal.undone.push_back(*index);
      ++journal.undoneCount;
    } else if (f[0] == "folder" && f.size() == 2) {
      journal.folder = f[1];
    } else if (f[0] == "started" && f.size() == 2) {
      journal.started = static_cast<std::time_t>(Number(f[1]).value_or(0));
    } else if (f[0] == "end") {
      journal.ended = true;
    }
  }
  return !first;
}

namespace {

// The journals whose name says they are `folder`'s, newest first.
std::vector<std::string> JournalPaths(const std::string& journalFolder, const std::string& folder) {
  platform::FolderListing entries;
  std::vector<std::string> names;
  const std::string key = KeyOf(folder) + "-";
  if (platform::ListFolder(journalFolder, entries)) {
    for (const platform::DirEntry e : entries)
      if (!e.IsDirectory() && e.name.starts_with(key) && e.name.ends_with(kSuffix))
        names.emplace_back(e.name);
  }
  // Newest first: the names hold the time, then a number for the same second.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::size_t ta = a.rfind('-'), tb = b.rfind('-');
    if (a.compare(0, ta, b, 0, tb) != 0) return a.compare(0, ta, b, 0, tb) > 0;
    return Number(a.substr(ta + 1, a.size() - ta - 1 - kSuffix.size())).value_or(0) >
           Number(b.substr(tb + 1, b.size() - tb - 1 - kSuffix.size())).value_or(0);
  });
  for (std::string& name : names) name = platform::JoinPath(journalFolder, name);
  return names;
}

}  // namespace

std::vector<Journal> JournalsOf(const std::string& journalFolder, const std::string& folder,
                                bool whole) {
  std::vector<Journal> journals;
  for (const std::string& path : JournalPaths(journalFolder, folder)) {
    Journal journal;
    // Another folder's whose key is the same is passed over.
    if (ReadJournal(path, whole, journal) && journal.folder == folder)
      journals.push_back(std::move(journal));
  }
  return journals;
}

bool MarkUndone(const std::string& path, const std::vector<std::size_t>& undone) {
  platform::AppendFile file;
  if (!file.Open(path)) return false;
  for (const std::size_t index : undone) file.Write("u\t" + std::to_string(index) + "\n");
  return file.Sync() && file.Close();
}

}  // namespace mapio::translator
