#include "checker/check_pack.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "checker/kinds.h"
#include "core/name_index.h"
#include "checker/pack_folder.h"
#include "checker/pack_reader.h"
#include "platform/platform.h"

namespace mapio::checker {

namespace {

constexpr std::size_t kProgressEvery = 4096;

std::string LineRef(std::size_t line) { return "line " + std::to_string(line); }

// Why a name would reach outside the pack, or nullptr when it stays inside.
const char* LeavesFolder(std::string_view name) {
  constexpr bool kWindowsNames = platform::kSeparator == '\\';
  if (name.size() >= 2 && name[1] == ':' &&
      ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z')))
    return "it names a drive";
  if (name[0] == '/' || platform::IsAbsolutePath(name)) return "it is an absolute path";
  if (kWindowsNames && name.find(':') != std::string_view::npos)
    return "it holds a \":\", which Windows takes for a drive or a stream";
  if (name.find('\0') != std::string_view::npos) return "it holds a NUL character";
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = start;
    while (end < name.size() && name[end] != '/' && name[end] != platform::kSeparator) ++end;
    if (name.substr(start, end - start) == "..") return "it climbs out of the folder with \"..\"";
    start = end + 1;
  }
  return nullptr;
}

// "a.png" or "faces/a.png, faces/A.png": each file after its folder.
std::string Files(const PictureMatch& match) {
  std::string text;
  for (const std::string_view file : match.files)
    text.append(text.empty() ? "" : ", ").append(match.folder).append(file);
  return text;
}

// To the caller as it comes, or into the report.
void DeliverFinding(Finding finding, const CheckOptions& options, PackReport& report) {
  ++report.findingCount;
  if (options.onFinding)
    options.onFinding(finding);
  else
    report.findings.push_back(std::move(finding));
}

class Checker {
 public:
  Checker(PackReport& report, PackFolder& folder, const CheckOptions& options)
      : report_(report), folder_(folder), options_(options) {}

  // Held back, to go out in line order among the records' findings.
  void Problems(const std::vector<PackProblem>& problems) {
    for (const PackProblem& p : problems) problems_.push_back(FromProblem(p));
    std::stable_sort(problems_.begin(), problems_.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
  }

  void Records(const std::vector<PackRecord>& records) {
    names_.Reserve(records.size());
    nameLines_.reserve(records.size());
    ids_.Reserve(records.size());
    idLines_.reserve(records.size());
    const std::size_t total = records.size() + folder_.Pictures().size();
    // A new name or ID waits on its slot only; the picture's lookup also
    // on the name it meets there.
    const auto start = [&](std::size_t i) {
      const PackRecord& r = records[i];
      names_.Prefetch(r.from);
      if (const auto path = KindOfPath(r.to)) ids_.Prefetch(path->id);
      const std::uint32_t stem = folder_.HashOf(r.from);
      folder_.Prefetch(stem, 0);
      return stem;
    };
    const auto load = [&](std::uint32_t stem, int step) { folder_.Prefetch(stem, step); };
    VisitLoadingAhead(records.size(), start, load, [&](std::size_t i) {
      if (options_.progress && i % kProgressEvery == 0) options_.progress(i, total);
      Record(records[i]);
    });
    ProblemsUpTo(static_cast<std::size_t>(-1));
  }

  void Pictures() {
    std::vector<std::string_view> unmapped;
    for (std::size_t i = 0; i < folder_.Pictures().size(); ++i) {
      if (folder_.Found(i)) continue;
      const std::string_view picture = folder_.Pictures()[i];
      const std::string_view stem = picture.substr(0, picture.size() - 4);
      if (names_.Contains(stem) || ids_.Contains(stem) || NamedInOtherCase(stem)) continue;
      unmapped.push_back(picture);
    }
    // The folder comes in the order its file system keeps: the report
    // should read the same everywhere.
    std::sort(unmapped.begin(), unmapped.end());
    for (const std::string_view picture : unmapped)
      Add(Category::Unmapped, 0, picture, {}, "no record names this picture");
  }

 private:
  // Records come in file order, so their findings do: the problems of the
  // file go out before the first finding of a later line, and those of a
  // record's own line before its findings.
  void Add(Category category, std::size_t line, std::string_view name, std::string_view id,
           std::string detail) {
    ProblemsUpTo(line);
    Deliver({category, line, std::string(name), std::string(id), std::move(detail)});
  }

  void ProblemsUpTo(std::size_t line) {
    for (; nextProblem_ < problems_.size() && problems_[nextProblem_].line <= line; ++nextProblem_)
      Deliver(std::move(problems_[nextProblem_]));
  }

  void Deliver(Finding finding) { DeliverFinding(std::move(finding), options_, report_); }

  Finding FromProblem(const PackProblem& p) const {
    switch (p.kind) {
      case PackProblem::Kind::NoFile:
        return {Category::Structure, 0, {}, {}, "there is no config.xml to read"};
      case PackProblem::Kind::NoList:
        return {Category::Structure, 0, {}, {}, "there is no <list id=\"maps\">"};
      case PackProblem::Kind::EndsInList:
        return {Category::Structure, p.line, {}, {}, "the file ends inside the list: no </list>"};
      case PackProblem::Kind::NotWellFormed:
        return {Category::Structure, p.line, {}, {}, NotWellFormed(p.line, p.column, p.text)};
      case PackProblem::Kind::NotARecord:
        return {
            Category::Unparsable, p.line, {}, {}, "no record, comment or blank line: " + p.text};
    }
    return {};
  }

  static std::string NotWellFormed(std::size_t line, std::size_t column, const std::string& why) {
    return "not well-formed XML (" + LineRef(line) + ", column " + std::to_string(column) +
           "): " + why;
  }

  void Record(const PackRecord& r) {
    if (r.notWellFormed)
      Add(Category::Structure, r.line, r.from, {},
          NotWellFormed(r.line, r.column, r.notWellFormed));
    if (const char* why = LeavesFolder(r.from)) {
      Add(Category::Unsafe, r.line, r.from, {}, std::string("the name leaves the folder: ") + why);
      return;
    }
    const auto path = KindOfPath(r.to);
    const bool checked = path && IsCheckedKind(report_.objectKind, path->kind);
    // Line 0 marks a name or ID that only records of other kinds give.
    std::size_t& nameLine = Remember(names_, nameLines_, r.from);
    const bool newName = nameLine == kJustAdded;
    if (newName) nameLine = checked ? r.line : 0;
    if (!path) {
      Add(Category::Unparsable, r.line, r.from, {},
          std::string("\"").append(r.to).append("\" is the path of no kind"));
      return;
    }
    std::size_t& idLine = Remember(ids_, idLines_, path->id);
    const bool newId = idLine == kJustAdded;
    if (newId) idLine = checked ? r.line : 0;
    if (!checked) {
      Add(Category::OtherKind, r.line, r.from, path->id,
          "a record of " + KindName(path->kind) + ", not of " + KindName(report_.objectKind));
      return;
    }
    if (!newName && nameLine != 0) {
      Add(Category::DuplicateName, r.line, r.from, path->id,
          LineRef(nameLine) + " already maps " + std::string(r.from));
      return;
    }
    if (!newName) nameLine = r.line;
    // Kits of one team differ by their path, not by the ID.
    std::size_t earlier = 0;
    if (IsKits(report_.objectKind)) {
      const auto [it, fresh] = kitPaths_.emplace(r.to, r.line);
      if (!fresh) earlier = it->second;
    } else if (!newId) {
      if (idLine == 0)
        idLine = r.line;
      else
        earlier = idLine;
    }
    if (earlier != 0)
      Add(Category::DuplicateId, r.line, r.from, path->id,
          (LineRef(earlier) + " already maps ID ")
              .append(path->id)
              .append(": only one picture can show"));
    Look(r, path->id);
  }

  void Look(const PackRecord& r, std::string_view id) {
    const PictureMatch& match = folder_.Find(r.from);
    if (match.how == PictureMatch::How::Exact) return;
    if (match.how == PictureMatch::How::OtherCase) {
      std::string detail =
          match.files.size() == 1
              ? std::string("only ").append(Files(match)).append(" is there, in other letter case")
              : "only in other letter case, and " + std::to_string(match.files.size()) +
                    " pictures match: " + Files(match);
      Add(Category::Case, r.line, r.from, id, std::move(detail));
      return;
    }
    if (folder_.HasIdPicture(id)) {
      Add(Category::Translated, r.line, r.from, id,
          std::string("no picture ")
              .append(r.from)
              .append(", but one named ")
              .append(id)
              .append(": the folder has been translated, and the record maps nothing"));
      return;
    }
    Add(Category::Missing, r.line, r.from, id,
        "no picture " + std::string(r.from) + ".png, " + std::string(r.from) + ".jpg or " +
            std::string(r.from) + ".gif");
  }

  bool NamedInOtherCase(std::string_view stem) {
    if (!foldedMade_) {
      foldedMade_ = true;
      foldedNames_.Reserve(names_.Size());
      std::string key;
      for (std::uint32_t n = 0; n < names_.Size(); ++n) {
        key.clear();
        platform::AppendCaseFoldKey(names_.Name(n), key);
        foldedNames_.Add(key);
      }
    }
    key_.clear();
    platform::AppendCaseFoldKey(stem, key_);
    return foldedNames_.Contains(key_);
  }

  static constexpr std::size_t kJustAdded = ~std::size_t{0};

  // The line kept for `name`: kJustAdded when it is new.
  static std::size_t& Remember(NameIndex& index, std::vector<std::size_t>& lines,
                               std::string_view name) {
    bool added = false;
    const std::uint32_t n = index.FindOrAdd(name, added);
    if (added) lines.push_back(kJustAdded);
    return lines[n];
  }

  std::string KindName(std::int32_t kind) const {
    return options_.kindName ? options_.kindName(kind) : KindPathText(kind);
  }

  PackReport& report_;
  PackFolder& folder_;
  const CheckOptions& options_;
  std::vector<Finding> problems_;  // the file's, by line
  std::size_t nextProblem_ = 0;
  // Every name and ID a record gives, whatever its kind (their pictures are
  // spoken for), with the line of the first record of the checked kind that
  // gives it.
  NameIndex names_;
  std::vector<std::size_t> nameLines_;
  NameIndex ids_;
  std::vector<std::size_t> idLines_;
  std::unordered_map<std::string_view, std::size_t> kitPaths_;
  NameIndex foldedNames_;
  std::string key_;
  bool foldedMade_ = false;
};

}  // namespace

std::string_view CategoryWord(Category category) {
  switch (category) {
    case Category::Missing: return "missing";
    case Category::Case: return "case";
    case Category::Translated: return "translated";
    case Category::Unmapped: return "unmapped";
    case Category::DuplicateName: return "duplicate-name";
    case Category::DuplicateId: return "duplicate-id";
    case Category::OtherKind: return "other-kind";
    case Category::Unparsable: return "unparsable";
    case Category::Unsafe: return "unsafe";
    case Category::Structure: return "structure";
  }
  return "structure";
}

PackReport CheckPack(const std::string& folderPath, std::int32_t objectKind,
                     const CheckOptions& options) {
  PackReport report;
  report.folderPath = folderPath;
  report.objectKind = objectKind;
  // The listing waits on the system, the reading on the file and the
  // parser: done side by side, a large pack is checked in half the time.
  std::optional<PackFolder> listed;
  PackFile pack;
  platform::RunTogether([&] { listed.emplace(folderPath); },
                        [&] { pack = ReadPackFile(folderPath); });
  PackFolder& folder = *listed;
  if (!folder.Exists()) {
    DeliverFinding({Category::Structure, 0, {}, {}, "the folder does not exist or cannot be read"},
                   options, report);
    return report;
  }
  report.pictures = folder.Pictures().size();
  report.records = pack.records.size();
  Checker checker(report, folder, options);
  checker.Problems(pack.problems);
  checker.Records(pack.records);
  checker.Pictures();
  return report;
}

}  // namespace mapio::checker
