#include "scan/why.h"

#include <algorithm>
#include <set>

#include "checker/picture_checks.h"
#include "pack/names.h"
#include "pack/pack.h"
#include "scan/clash_index.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mapio::scan {

namespace {

using pack::Picture;
using pack::PictureMatch;

bool IsDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// A path below the folder as a key: one separator, case folded.
std::string PathKey(std::string_view path) {
  std::string key = platform::CaseFoldKey(path);
  std::replace(key.begin(), key.end(), '\\', '/');
  return key;
}

std::string_view LastPart(std::string_view name) {
  std::size_t cut = name.size();
  while (cut > 0 && !IsSeparator(name[cut - 1])) --cut;
  return name.substr(cut);
}

// A picture's finding as the check gives it, had it looked inside.
void AddPictureFindings(const std::string& file, const checker::PictureInfo& info,
                        WhyRecord& record) {
  const auto add = [&](checker::Category category, std::string detail) {
    checker::Finding finding(category, 0, file, {}, std::move(detail), file);
    finding.format = checker::FormatName(info.Format());
    finding.width = info.Width();
    finding.height = info.Height();
    record.findings.push_back(std::move(finding));
  };
  if (info.DoubleExtension())
    add(checker::Category::DoubleExtension, checker::DoubleExtensionDetail(file));
  switch (info.Fault()) {
    case checker::PictureFault::Empty:
      add(checker::Category::Empty, checker::FaultDetail(file, info));
      break;
    case checker::PictureFault::Mismatch:
      add(checker::Category::Mismatch, checker::FaultDetail(file, info));
      break;
    case checker::PictureFault::Broken:
      add(checker::Category::Broken, checker::FaultDetail(file, info));
      break;
    case checker::PictureFault::TooLarge:
      add(checker::Category::TooLarge, checker::FaultDetail(file, info));
      break;
    case checker::PictureFault::None: break;
  }
}

class Explainer final : public WalkVisitor {
 public:
  Explainer(ObjectKind kind, std::string_view id, WhyOutcome& outcome)
      : kind_(kind),
        id_(id),
        generated_(std::string(kGeneratedIdPrefix) + std::string(id)),
        outcome_(outcome) {}

  void Pack(const std::string& relative, const std::string& path, pack::Pack& pack) override {
    ++outcome_.packs;
    std::vector<const pack::Record*> matches;
    std::string folded;
    std::string_view to;
    for (const pack::Record& r : pack.file.records) {
      if (NamedAfterId(LastPart(r.from))) mapped_.insert(PathKey(JoinRelative(relative, r.from)));
      const pack::Target target = GameTarget(r, folded, to);
      if (target.form == pack::Target::Form::Id && SameRecords(target.kind, kind_) &&
          target.IdIn(to) == id_)
        matches.push_back(&r);
    }
    for (const std::string_view picture : pack.folder->Pictures()) Candidate(relative, picture);
    if (matches.empty()) return;
    std::vector<checker::Finding> findings;
    checker::CheckOptions check;
    check.pictures = false;  // only the records' pictures are looked into, below
    // What the check says of the picture by its name, the answer's own
    // picture line says.
    struct RecordsFindings final : checker::CheckEvents {
      RecordsFindings(const std::vector<const pack::Record*>& matches,
                      std::vector<checker::Finding>& findings)
          : matches(matches), findings(findings) {}
      bool Found(const checker::Finding& f) override {
        using checker::Category;
        if (f.category == Category::Missing || f.category == Category::Translated) return true;
        for (const pack::Record* r : matches)
          if (f.line == r->line) findings.push_back(f);
        return true;
      }
      const std::vector<const pack::Record*>& matches;
      std::vector<checker::Finding>& findings;
    } events(matches, findings);
    checker::CheckPack(path, pack, kind_, check, events);
    for (const pack::Record* r : matches)
      outcome_.records.push_back(Explain(relative, path, pack, *r, findings));
  }

  void Folder(const std::string& relative, const std::string& /*path*/,
              const platform::FolderListing& entries) override {
    for (const platform::DirEntry entry : entries)
      if (!entry.IsDirectory() && pack::PictureExtensionOf(entry.name) >= 0)
        Candidate(relative, entry.name);
  }

  void Unreadable(const std::string& relative) override { outcome_.unreadable.push_back(relative); }

  // The pictures named after the ID that no record below the folder names.
  void Unmapped() {
    if (!outcome_.records.empty()) return;
    for (const std::string& file : candidates_) {
      const std::string stem = file.substr(0, file.size() - pack::kExtensionLength);
      if (!mapped_.contains(PathKey(stem))) outcome_.unmapped.push_back(file);
    }
  }

 private:
  bool NamedAfterId(std::string_view name) const {
    const std::string key = platform::CaseFoldKey(name);
    return key == id_ || key == generated_;
  }

  void Candidate(const std::string& relative, std::string_view picture) {
    if (NamedAfterId(picture.substr(0, picture.size() - pack::kExtensionLength)))
      candidates_.push_back(JoinRelative(relative, picture));
  }

  WhyRecord Explain(const std::string& relative, const std::string& path, pack::Pack& pack,
                    const pack::Record& r, const std::vector<checker::Finding>& findings) {
    WhyRecord why;
    why.pack = relative;
    why.line = r.line;
    why.from = r.from;
    why.to = r.to;
    std::string folded;
    std::string_view to;
    why.generatedId = GameTarget(r, folded, to).style.generatedId;
    for (const checker::Finding& f : findings)
      if (f.line == r.line) why.findings.push_back(f);
    if (pack::LeavesFolder(r.from)) return why;
    // The picture as the check finds it: by its name, else by the ID.
    std::string name(r.from);
    PictureMatch match = pack.folder->Find(name);
    if (match.how == PictureMatch::How::OutOfPack) {
      why.picture = Picture::OutOfPack;
      return why;
    }
    why.picture = Picture::Found;
    if (match.how == PictureMatch::How::OtherCase) why.picture = Picture::OtherCase;
    if (match.how == PictureMatch::How::None) {
      why.picture = Picture::Missing;
      name = id_;
      match = pack.folder->Find(name);
      if (match.how == PictureMatch::How::None) return why;
      why.picture = Picture::Translated;
    }
    const std::string folder(match.folder);
    const std::string folderPath = folder.empty() ? path : platform::JoinPath(path, folder);
    if (match.how == PictureMatch::How::Exact) {
      why.files.push_back(folder + ExactFile(folderPath,
                                             folder.empty() ? &pack.folder->Pictures() : nullptr,
                                             LastPart(name)));
    } else {
      for (const std::string_view file : match.files)
        why.files.push_back(folder + std::string(file));
    }
    const std::string first = why.files.front().substr(folder.size());
    const std::vector<std::string_view> one{first};
    const checker::PictureInfo info = checker::LookIntoPictures(folderPath, one, {}).front();
    why.format = checker::FormatName(info.Format());
    why.width = info.Width();
    why.height = info.Height();
    if (why.picture != Picture::Translated) AddPictureFindings(why.files.front(), info, why);
    for (std::string& file : why.files) file = JoinRelative(relative, file);
    return why;
  }

  // The file of a picture found under its very name: the name and the
  // first of the extensions, as the game tries them, that the folder holds.
  // `pictures`: the folder's, when the pack has listed them already.
  static std::string ExactFile(const std::string& folderPath,
                               const std::vector<std::string_view>* pictures,
                               std::string_view stem) {
    platform::FolderListing listing;
    std::vector<std::string_view> names;
    if (pictures) {
      names = *pictures;
    } else if (platform::ListFolder(folderPath, listing, platform::ListOrder::AsStored)) {
      for (const platform::DirEntry entry : listing) names.push_back(entry.name);
    }
    for (const std::string_view extension : pack::kPictureExtensions) {
      const std::string file = std::string(stem) + std::string(extension);
      if (std::find(names.begin(), names.end(), file) != names.end()) return file;
    }
    return std::string(stem) + std::string(pack::kPictureExtensions[0]);
  }

  const ObjectKind kind_;
  const std::string id_;
  const std::string generated_;
  WhyOutcome& outcome_;
  std::set<std::string> mapped_;
  std::vector<std::string> candidates_;
};

}  // namespace

std::optional<std::string> IdOfArgument(std::string_view text) {
  if (text.starts_with(kGeneratedIdPrefix)) text.remove_prefix(kGeneratedIdPrefix.size());
  if (!IsDigits(text)) return std::nullopt;
  return std::string(text);
}

bool WhyOutcome::InOrder() const {
  if (records.size() != 1) return false;
  const WhyRecord& r = records.front();
  return (r.picture == Picture::Found || r.picture == Picture::OtherCase) && r.findings.empty();
}

WhyOutcome ExplainId(const std::string& folder, ObjectKind kind, std::string_view id,
                     const WalkOptions& walk) {
  WhyOutcome outcome;
  Explainer explainer(kind, id, outcome);
  outcome.links = WalkPacks(folder, explainer, walk).links;
  explainer.Unmapped();
  return outcome;
}

}  // namespace mapio::scan
