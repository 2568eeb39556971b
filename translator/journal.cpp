#include "translator/journal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <memory>
#include <utility>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/picture_files.h"

namespace mapio::translator {

namespace {

// A journal is lines of fields split by tabs:
//   mapio-journal 2 | folder PATH | started SECONDS | device NUMBER |
//   r OLD NEW [FILE] | x | ... | end | u AT ...
// An r line is written before its rename; x after it says the rename was
// not made; u says the rename whose line starts at byte AT was taken back.
// Names have their backslashes, tabs and line ends written as \\ \t \n \r.
// A line cut short by a kill, or holding the NUL bytes of room made ahead
// of the writing, is no line.
constexpr std::string_view kMagic = "mapio-journal\t2";
constexpr std::string_view kSuffix = ".journal";
// Read a block at a time: far longer than any line.
constexpr std::size_t kBlock = std::size_t{1} << 20;

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

// The line's fields after its first, unescaped, into `fields` (reused).
void SplitFields(std::string_view line, std::vector<std::string>& fields, std::size_t& count) {
  count = 0;
  for (std::size_t i = line.find('\t'); i != std::string_view::npos && i < line.size();) {
    if (fields.size() <= count) fields.emplace_back();
    std::string& field = fields[count++];
    field.clear();
    for (++i; i < line.size() && line[i] != '\t'; ++i) {
      const char c = line[i];
      if (c == '\\' && i + 1 < line.size()) {
        const char next = line[++i];
        field += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
      } else {
        field += c;
      }
    }
  }
}

std::optional<std::uint64_t> Number(std::string_view text) {
  std::uint64_t value = 0;
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

// The number after the time in a journal's name.
std::size_t SerialOf(std::string_view name) {
  const std::size_t dash = name.rfind('-');
  return static_cast<std::size_t>(
      Number(name.substr(dash + 1, name.size() - dash - 1 - kSuffix.size())).value_or(0));
}

// The names of the journals whose name says they are `folder`'s, newest
// first. Links among them too: they are refused when read.
std::vector<std::string> JournalNames(const std::string& journalFolder, const std::string& folder) {
  platform::FolderListing entries;
  std::vector<std::string> names;
  const std::string key = KeyOf(folder) + "-";
  if (platform::ListFolder(journalFolder, entries, platform::ListOrder::AsStored)) {
    for (const platform::DirEntry e : entries)
      if (!e.IsDirectory() && e.name.starts_with(key) && e.name.ends_with(kSuffix))
        names.emplace_back(e.name);
  }
  // Newest first: the names hold the time, then a number for the same second.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::size_t ta = a.rfind('-'), tb = b.rfind('-');
    if (a.compare(0, ta, b, 0, tb) != 0) return a.compare(0, ta, b, 0, tb) > 0;
    return SerialOf(a) > SerialOf(b);
  });
  return names;
}

bool IsLine(std::string_view line) { return line.find('\0') == std::string_view::npos; }

// A journal open for reading, never through a link.
class JournalFile {
 public:
  platform::FileStatus Open(const std::string& journalFolder, const std::string& name) {
    if (!folder_.Open(journalFolder)) return platform::FileStatus::Failed;
    const platform::FileStatus status = file_.Open(folder_, name);
    if (status == platform::FileStatus::Read && !file_.IsRegular())
      return platform::FileStatus::NotAFile;
    return status;
  }

  // Each whole line from `from` on with where it starts, until `visit`
  // returns false.
  bool Forward(std::uint64_t from,
               const std::function<bool(std::string_view, std::uint64_t)>& visit) {
    const std::uint64_t size = file_.Size();
    std::string block;
    while (from < size) {
      block.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, size - from)));
      if (file_.ReadAt(from, block) != static_cast<std::ptrdiff_t>(block.size())) return false;
      std::size_t start = 0;
      for (std::size_t end; (end = block.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string_view line(block.data() + start, end - start);
        if (IsLine(line) && !visit(line, from + start)) return true;
      }
      // A line that goes on past a block: it starts the next.
      if (start == 0) return true;  // no line end in a whole block: no journal of ours
      from += start;
    }
    return true;
  }

  // Each whole line from the end back to the start, with where it starts,
  // until `visit` returns false.
  bool Backward(const std::function<bool(std::string_view, std::uint64_t)>& visit) {
    std::uint64_t to = file_.Size();  // what is left to visit ends here
    std::string block;
    bool atEnd = true;  // nothing visited yet: the file's end may be no line's
    while (to > 0) {
      const std::uint64_t from = to > kBlock ? to - kBlock : 0;
      block.resize(static_cast<std::size_t>(to - from));
      if (file_.ReadAt(from, block) != static_cast<std::ptrdiff_t>(block.size())) return false;
      // Past the last line end: what a kill cut short, and the room ahead.
      std::size_t end = atEnd ? block.rfind('\n') : block.size() - 1;
      if (end == std::string::npos) {
        to = from;
        continue;
      }
      atEnd = false;
      for (;;) {
        const std::size_t before = end == 0 ? std::string::npos : block.rfind('\n', end - 1);
        if (before == std::string::npos && from != 0) break;  // it starts in the block before
        const std::size_t start = before == std::string::npos ? 0 : before + 1;
        const std::string_view line(block.data() + start, end - start);
        if (IsLine(line) && !visit(line, from + start)) return true;
        if (before == std::string::npos) return true;
        end = before;
      }
      // No line end in a whole block: no journal of ours.
      if (end + 1 == block.size()) return false;
      to = from + end + 1;
    }
    return true;
  }

 private:
  platform::FolderFiles folder_;
  platform::FolderFile file_;
};

// The journal's start: its folder, time and device, up to its first rename.
bool ReadHead(JournalFile& file, Journal& journal) {
  bool magic = false;
  std::vector<std::string> fields;
  std::size_t count = 0;
  const bool read = file.Forward(0, [&](std::string_view line, std::uint64_t at) {
    if (at == 0) return magic = line == kMagic;
    SplitFields(line, fields, count);
    const std::string_view kind = line.substr(0, line.find('\t'));
    if (kind == "folder" && count == 1) {
      journal.folder = fields[0];
    } else if (kind == "started" && count == 1) {
      journal.started = static_cast<std::time_t>(Number(fields[0]).value_or(0));
    } else if (kind == "device" && count == 1) {
      journal.device = Number(fields[0]);
    } else if (kind == "r" || kind == "x" || kind == "end" || kind == "u") {
      return false;
    }
    return true;
  });
  return read && magic;
}

void Count(JournalFile& file, Journal& journal) {
  file.Forward(0, [&](std::string_view line, std::uint64_t) {
    const std::string_view kind = line.substr(0, line.find('\t'));
    if (kind == "r") ++journal.renamed;
    if (kind == "x" && journal.renamed > 0) --journal.renamed;
    if (kind == "u") ++journal.undone;
    if (kind == "end") journal.ended = true;
    return true;
  });
}

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
  for (const std::string& name : JournalNames(journalFolder, folder))
    if (name.starts_with(start + "-")) first = std::max(first, SerialOf(name) + 1);
  std::string name;
  for (std::size_t attempt = first; attempt < first + 100 && !file_.Good(); ++attempt) {
    name = start + "-" + std::to_string(attempt) + std::string(kSuffix);
    file_.Create(platform::JoinPath(journalFolder, name));
  }
  if (!file_.Good()) return false;
  line_.assign(kMagic).append("\nfolder");
  AppendField(line_, folder);
  line_.append("\nstarted\t").append(std::to_string(now)).append("\n");
  file_.Write(line_);
  // Older journals of the folder beyond those kept go, by their names alone.
  const std::vector<std::string> journals = JournalNames(journalFolder, folder);
  for (std::size_t i = kJournalsKept; i < journals.size(); ++i)
    if (journals[i] != name) platform::RemoveFile(platform::JoinPath(journalFolder, journals[i]));
  return file_.Sync();
}

void JournalWriter::Renaming(std::string_view oldName, std::string_view newName,
                             const std::optional<platform::FileIdentity>& file) {
  if (!file_.Good()) return;
  line_.clear();
  // A number is kept only of the one device the journal names.
  const bool numbered = file && (!device_ || *device_ == file->device);
  if (numbered && !device_) {
    device_ = file->device;
    line_.append("device\t").append(std::to_string(*device_)).append("\n");
  }
  line_.push_back('r');  // not assign(): GCC 12 warns falsely (-Wrestrict) on 32-bit
  AppendField(line_, oldName);
  AppendField(line_, newName);
  if (numbered) line_.append("\t").append(std::to_string(file->file));
  file_.Write(line_.append("\n"));
}

void JournalWriter::NotRenamed() { file_.Write("x\n"); }

void JournalWriter::End() {
  if (!file_.Good()) return;
  file_.Write("end\n");
  file_.Close();
}

void JournalWriter::AbandonForTesting() { file_.DropForTesting(); }

std::vector<Journal> JournalsOf(const std::string& journalFolder, const std::string& folder,
                                bool counted) {
  std::vector<Journal> journals;
  for (const std::string& name : JournalNames(journalFolder, folder)) {
    Journal journal;
    journal.name = name;
    JournalFile file;
    const platform::FileStatus status = file.Open(journalFolder, name);
    if (status == platform::FileStatus::NotAFile) {
      journal.notAFile = true;
      journals.push_back(std::move(journal));
      continue;
    }
    // Another folder's whose key is the same is passed over.
    if (status != platform::FileStatus::Read || !ReadHead(file, journal) ||
        journal.folder != folder)
      continue;
    if (counted) Count(file, journal);
    journals.push_back(std::move(journal));
  }
  return journals;
}

void CountRenames(const std::string& journalFolder, Journal& journal) {
  JournalFile file;
  if (file.Open(journalFolder, journal.name) == platform::FileStatus::Read) Count(file, journal);
}

bool ReadRenamesBackward(const std::string& journalFolder, const Journal& journal,
                         const std::function<bool(const JournalRename&)>& visit) {
  JournalFile file;
  if (file.Open(journalFolder, journal.name) != platform::FileStatus::Read) return false;
  // The lines taken back come last, after the renames: met first.
  std::vector<std::uint64_t> undone;
  bool sorted = false;
  bool notMade = false;  // an x line: the r line before it was not made
  std::vector<std::string> fields;
  std::size_t count = 0;
  JournalRename rename;
  return file.Backward([&](std::string_view line, std::uint64_t at) {
    const std::string_view kind = line.substr(0, line.find('\t'));
    if (kind == "u") {
      SplitFields(line, fields, count);
      if (count == 1)
        if (const auto undoneAt = Number(fields[0])) undone.push_back(*undoneAt);
      return true;
    }
    if (kind == "x") notMade = true;
    if (kind != "r" || std::exchange(notMade, false)) return true;
    if (!std::exchange(sorted, true)) std::sort(undone.begin(), undone.end());
    if (std::binary_search(undone.begin(), undone.end(), at)) return true;
    SplitFields(line, fields, count);
    if (count != 2 && count != 3) return true;
    rename.at = at;
    rename.oldName = fields[0];
    rename.newName = fields[1];
    rename.file = count == 3 && journal.device ? Number(fields[2]) : std::nullopt;
    return visit(rename);
  });
}

bool MarkUndone(const std::string& journalFolder, const Journal& journal,
                const std::vector<std::uint64_t>& undone) {
  platform::AppendFile file;
  if (!file.Open(platform::JoinPath(journalFolder, journal.name))) return false;
  std::string lines;
  for (const std::uint64_t at : undone) lines.append("u\t").append(std::to_string(at)) += '\n';
  file.Write(lines);
  return file.Sync() && file.Close();
}

bool RemoveJournal(const std::string& journalFolder, const Journal& journal) {
  return platform::RemoveFile(platform::JoinPath(journalFolder, journal.name));
}

}  // namespace mapio::translator
