#include "checker/check_pack.h"

#include <algorithm>
#include <unordered_map>

#include "checker/name_findings.h"
#include "checker/picture_checks.h"
#include "checker/usual_size.h"
#include "core/counted.h"
#include "core/object_kind.h"
#include "pack/matching.h"
#include "pack/pack.h"
#include "platform/platform.h"

namespace mapio::checker {

namespace {

using pack::Picture;
using pack::PictureMatch;
using pack::Problem;
using pack::Record;
using pack::RecordLook;
using pack::Target;

constexpr std::size_t kProgressEvery = 4096;

std::string LineRef(std::size_t line) { return "line " + std::to_string(line); }

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
  Checker(PackReport& report, const pack::PackFile& file, const CheckOptions& options)
      : report_(report), file_(file), options_(options) {}

  // Held back, to go out in line order among the records' findings.
  void Problems() {
    for (const Problem& p : file_.problems) problems_.push_back(FromProblem(p));
    std::stable_sort(problems_.begin(), problems_.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
  }

  void Records(pack::PackMatching& matching, std::size_t pictures) {
    nameLines_.reserve(file_.records.size());
    idLines_.reserve(file_.records.size());
    const std::size_t total = file_.records.size() + pictures;
    matching.Records([&](std::size_t i, const Record& r, const RecordLook& look) {
      if (options_.progress && i % kProgressEvery == 0) options_.progress(i, total);
      OneRecord(r, look);
    });
    ProblemsUpTo(static_cast<std::size_t>(-1));
  }

  void FileFindings(pack::PackMatching& matching, const pack::PackFolder& folder,
                    const std::vector<PictureInfo>& infos) {
    for (const std::string_view leftover : folder.Leftovers())
      Add(Category::Leftover, 0, leftover, {},
          "a temporary file that an interrupted run of Mapio left behind; it may be deleted",
          leftover);
    const std::vector<std::size_t> unmapped = matching.Unmapped();
    report_.newPictures = unmapped.size();
    for (const std::size_t i : unmapped) {
      const std::string_view picture = folder.Pictures()[i];
      Finding finding(Category::Unmapped, 0, std::string(picture), {},
                      "no record names this picture", std::string(picture));
      if (!infos.empty()) Describe(finding, infos[i]);
      Deliver(std::move(finding));
    }
    NameFindings(folder);
    if (report_.picturesLooked) PictureFindings(folder.Pictures(), infos);
  }

  // Entries that are no files of the pack, then names Windows cannot open,
  // each in the order of their names.
  void NameFindings(const pack::PackFolder& folder) {
    std::vector<pack::NotAPicture> others = folder.NotPictures();
    std::sort(others.begin(), others.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    for (const pack::NotAPicture& other : others)
      Add(Category::NotAFile, 0, other.name, {}, NotAFileDetail(other.entry), other.name);
    std::vector<std::pair<std::string_view, std::string>> refused;
    for (const std::string_view name : folder.Pictures())
      if (std::string why = WindowsNameDetail(name); !why.empty())
        refused.emplace_back(name, std::move(why));
    std::sort(refused.begin(), refused.end());
    for (auto& [name, why] : refused) Add(Category::WindowsName, 0, name, {}, std::move(why), name);
  }

  // What is wrong inside the pictures, in the order of their names.
  void PictureFindings(const std::vector<std::string_view>& pictures,
                       const std::vector<PictureInfo>& infos) {
    const UsualSize usual = FindUsualSize(infos);
    report_.sizes = UsualSizeSummary(usual);
    std::vector<std::size_t> faulty;
    for (std::size_t i = 0; i < infos.size(); ++i)
      if (infos[i].Fault() != PictureFault::None || infos[i].DoubleExtension() ||
          usual.Differs(infos[i]))
        faulty.push_back(i);
    std::sort(faulty.begin(), faulty.end(),
              [&](std::size_t a, std::size_t b) { return pictures[a] < pictures[b]; });
    for (const std::size_t i : faulty) {
      const std::string_view name = pictures[i];
      const PictureInfo& info = infos[i];
      if (info.DoubleExtension())
        AddPicture(Category::DoubleExtension, name, info, DoubleExtensionDetail(name));
      switch (info.Fault()) {
        case PictureFault::Empty:
          AddPicture(Category::Empty, name, info, FaultDetail(name, info));
          break;
        case PictureFault::Mismatch:
          AddPicture(Category::Mismatch, name, info, FaultDetail(name, info));
          break;
        case PictureFault::Broken:
          AddPicture(Category::Broken, name, info, FaultDetail(name, info));
          break;
        case PictureFault::TooLarge:
          AddPicture(Category::TooLarge, name, info, FaultDetail(name, info));
          break;
        case PictureFault::None: break;
      }
      if (usual.Differs(info))
        AddPicture(Category::OddSize, name, info, OddSizeDetail(info, usual));
    }
  }

  void AddPicture(Category category, std::string_view name, const PictureInfo& info,
                  std::string detail) {
    Finding finding{category, 0, std::string(name), {}, std::move(detail), std::string(name)};
    Describe(finding, info);
    Deliver(std::move(finding));
  }

  static void Describe(Finding& finding, const PictureInfo& info) {
    finding.format = FormatName(info.Format());
    finding.width = info.Width();
    finding.height = info.Height();
  }

 private:
  // Records come in file order, so their findings do: the problems of the
  // file go out before the first finding of a later line, and those of a
  // record's own line before its findings.
  void Add(Category category, std::size_t line, std::string_view name, std::string_view id,
           std::string detail, std::string_view file = {}) {
    ProblemsUpTo(line);
    Deliver(
        {category, line, std::string(name), std::string(id), std::move(detail), std::string(file)});
  }

  void ProblemsUpTo(std::size_t line) {
    for (; nextProblem_ < problems_.size() && problems_[nextProblem_].line <= line; ++nextProblem_)
      Deliver(std::move(problems_[nextProblem_]));
  }

  void Deliver(Finding finding) { DeliverFinding(std::move(finding), options_, report_); }

  Finding FromProblem(const Problem& p) const {
    switch (p.kind) {
      case Problem::Kind::NoFile: return {Category::Structure, 0, {}, {}, NoFile(), {}};
      case Problem::Kind::NoList:
        return {Category::Structure, 0, {}, {}, "there is no <list id=\"maps\">", {}};
      case Problem::Kind::EndsInList:
        return {
            Category::Structure, p.line, {}, {}, "the file ends inside the list: no </list>", {}};
      case Problem::Kind::NotWellFormed:
        return {Category::Structure, p.line, {}, {}, NotWellFormed(p.line, p.column, p.text), {}};
      case Problem::Kind::RecordNotWellFormed:
        return {Category::Structure,
                p.line,
                std::string(file_.records[p.record].from),
                {},
                NotWellFormed(p.line, p.column, p.text),
                {}};
      case Problem::Kind::NotARecord:
        return {Category::Unparsable,
                p.line,
                {},
                {},
                "no record, comment or blank line: " + p.text,
                {}};
    }
    return {};
  }

  std::string NoFile() const {
    using platform::ReadResult;
    if (file_.utf16) return "config.xml is UTF-16 text: save it as UTF-8";
    switch (file_.readResult) {
      case ReadResult::NoPermission: return "config.xml cannot be read: no permission to read it";
      case ReadResult::NotAFile: return "config.xml is not a file (a folder, a device or a pipe)";
      case ReadResult::TooLarge: return "config.xml is larger than 1 GiB, which no pack's is";
      case ReadResult::Failed: return "config.xml could not be read: the system reported an error";
      case ReadResult::Ok:
      case ReadResult::Missing: break;
    }
    return "there is no config.xml to read";
  }

  static std::string NotWellFormed(std::size_t line, std::size_t column, const std::string& why) {
    return "not well-formed XML (" + LineRef(line) + ", column " + std::to_string(column) +
           "): " + why;
  }

  void OneRecord(const Record& r, const RecordLook& look) {
    if (r.legacyName)
      Add(Category::Encoding, r.line, r.from, {},
          "the name is not UTF-8 but in a single-byte code page, read as \"" + std::string(r.from) +
              "\": save config.xml as UTF-8");
    if (look.unsafe) {
      Add(Category::Unsafe, r.line, r.from, {},
          std::string("the name leaves the folder: ") + look.unsafe);
      return;
    }
    if (std::string why = WindowsFolderDetail(r.from); !why.empty())
      Add(Category::WindowsName, r.line, r.from, {}, std::move(why));
    if (look.checked && look.picture == Picture::Missing) ++report_.missingRecords;
    // Line 0 marks a name or ID that only records of other kinds give.
    if (look.newName) nameLines_.push_back(look.checked ? r.line : 0);
    if (r.target.form == Target::Form::Unknown) {
      Add(Category::UnknownTarget, r.line, r.from, {},
          std::string("\"").append(r.to).append("\" is the path of no picture of the game"));
      return;
    }
    const bool withId = r.target.form == Target::Form::Id;
    const std::string_view id = withId ? r.target.IdIn(r.to) : std::string_view();
    if (withId && look.newId) idLines_.push_back(look.checked ? r.line : 0);
    if (withId && look.checked)
      ++(r.target.style.generatedId ? report_.generatedIds : report_.plainIds);
    if (!look.checked) {
      Add(Category::OtherKind, r.line, r.from, id,
          "a record of " + KindName(r.target.kind) + ", not of " + KindName(report_.objectKind));
      return;
    }
    std::size_t& nameLine = nameLines_[look.name];
    if (!look.newName && nameLine != 0) {
      Add(Category::DuplicateName, r.line, r.from, id,
          LineRef(nameLine) + " already maps " + std::string(r.from));
      return;
    }
    if (!look.newName) nameLine = r.line;
    if (withId) DuplicateId(r, look, id);
    PictureFindings(r, look, id);
  }

  void DuplicateId(const Record& r, const RecordLook& look, std::string_view id) {
    // Kits of one team differ by their path, not by the ID.
    std::size_t earlier = 0;
    if (r.target.kind == Kits) {
      const auto [it, fresh] = kitPaths_.emplace(r.to, r.line);
      if (!fresh) earlier = it->second;
    } else if (!look.newId) {
      std::size_t& idLine = idLines_[look.id];
      if (idLine == 0)
        idLine = r.line;
      else
        earlier = idLine;
    }
    if (earlier != 0)
      Add(Category::DuplicateId, r.line, r.from, id,
          (LineRef(earlier) + " already maps ID ")
              .append(id)
              .append(": only one picture can show"));
  }

  void PictureFindings(const Record& r, const RecordLook& look, std::string_view id) {
    switch (look.picture) {
      case Picture::OtherCase: {
        if (!options_.caseSensitive) return;
        const PictureMatch& match = *look.match;
        std::string detail = match.files.size() == 1
                                 ? std::string("only ")
                                       .append(Files(match))
                                       .append(" is there, in other letter case")
                                 : "only in other letter case, and " +
                                       Counted(match.files.size(), "picture") +
                                       " match: " + Files(match);
        Add(Category::Case, r.line, r.from, id, std::move(detail));
        return;
      }
      case Picture::Translated:
        Add(Category::Translated, r.line, r.from, id,
            std::string("no picture ")
                .append(r.from)
                .append(", but one named ")
                .append(id)
                .append(": the folder has been translated, and the record maps nothing"));
        return;
      case Picture::Missing: {
        const std::string from(r.from);
        Add(Category::Missing, r.line, r.from, id,
            "no picture " + from + ".png, " + from + ".jpg or " + from + ".gif");
        return;
      }
      case Picture::NotLooked:
      case Picture::Found: return;
    }
  }

  std::string KindName(ObjectKind kind) const {
    return options_.kindName ? options_.kindName(kind) : pack::KindPathText(kind);
  }

  PackReport& report_;
  const pack::PackFile& file_;
  const CheckOptions& options_;
  std::vector<Finding> problems_;  // the file's, by line
  std::size_t nextProblem_ = 0;
  // By the matching's numbers of names and IDs: the line of the first
  // record of the checked kind that gives each, 0 for none yet.
  std::vector<std::size_t> nameLines_;
  std::vector<std::size_t> idLines_;
  std::unordered_map<std::string_view, std::size_t> kitPaths_;
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
    case Category::UnknownTarget: return "unknown-target";
    case Category::Unparsable: return "unparsable";
    case Category::Unsafe: return "unsafe";
    case Category::Encoding: return "encoding";
    case Category::Leftover: return "leftover";
    case Category::Empty: return "empty";
    case Category::Mismatch: return "mismatch";
    case Category::Broken: return "broken";
    case Category::TooLarge: return "too-large";
    case Category::NotAFile: return "not-a-file";
    case Category::WindowsName: return "windows-name";
    case Category::DoubleExtension: return "double-extension";
    case Category::OddSize: return "odd-size";
    case Category::Structure: return "structure";
    case Category::Clash: return "clash";
    case Category::NameClash: return "name-clash";
  }
  return "structure";
}

PackReport CheckPack(const std::string& folderPath, std::optional<ObjectKind> objectKind,
                     const CheckOptions& options) {
  pack::Pack pack = pack::LoadPack(folderPath);
  return CheckPack(folderPath, pack, objectKind, options);
}

PackReport CheckPack(const std::string& folderPath, pack::Pack& pack,
                     std::optional<ObjectKind> objectKind, const CheckOptions& options) {
  PackReport report;
  report.folderPath = folderPath;
  report.kindFound = !objectKind;
  report.objectKind = objectKind ? *objectKind : pack::KindOfRecords(pack.file);
  if (!pack.folder->Exists()) {
    DeliverFinding(
        {Category::Structure, 0, {}, {}, "the folder does not exist or cannot be read", {}},
        options, report);
    return report;
  }
  report.pictures = pack.folder->Pictures().size();
  report.records = pack.file.records.size();
  Checker checker(report, pack.file, options);
  pack::PackMatching matching(pack.file, *pack.folder, report.objectKind);
  checker.Problems();
  checker.Records(matching, report.pictures);
  std::vector<PictureInfo> infos;
  if (options.pictures) {
    report.picturesLooked = true;
    PictureLookOptions look;
    look.deep = options.deep;
    look.isLink = [&](std::size_t i) { return pack.folder->IsLink(i); };
    const std::size_t total = report.records + 2 * report.pictures;
    if (options.progress)
      look.progress = [&](std::size_t done) {
        options.progress(report.records + report.pictures + done, total);
      };
    infos = LookIntoPictures(folderPath, pack.folder->Pictures(), look);
  }
  checker.FileFindings(matching, *pack.folder, infos);
  return report;
}

}  // namespace mapio::checker
