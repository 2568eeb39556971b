#include "pack/matching.h"

#include <algorithm>

#include "pack/names.h"
#include "platform/text.h"

namespace mapio::pack {

PackMatching::PackMatching(const PackFile& file, PackFolder& folder, ObjectKind kind)
    : file_(file), folder_(folder), kind_(kind) {}

void PackMatching::Records(const Visit& visit) {
  const std::vector<Record>& records = file_.records;
  names_.Reserve(records.size());
  ids_.Reserve(records.size());
  // A new name or ID waits on its slot only; the picture's lookup also on
  // the name it meets there.
  const auto start = [&](std::size_t i) {
    const Record& r = records[i];
    names_.Prefetch(r.from);
    if (r.target.form == Target::Form::Id) ids_.Prefetch(r.target.IdIn(r.to));
    const std::uint32_t stem = folder_.HashOf(r.from);
    folder_.Prefetch(stem, 0);
    return stem;
  };
  const auto load = [&](std::uint32_t stem, int step) { folder_.Prefetch(stem, step); };
  VisitLoadingAhead(records.size(), start, load, [&](std::size_t i) {
    const Record& r = records[i];
    RecordLook look;
    look.unsafe = LeavesFolder(r.from);
    if (!look.unsafe) Look(r, look);
    visit(i, r, look);
  });
}

void PackMatching::Look(const Record& r, RecordLook& look) {
  look.name = names_.FindOrAdd(r.from, look.newName);
  const bool withId = r.target.form == Target::Form::Id;
  if (withId) look.id = ids_.FindOrAdd(r.target.IdIn(r.to), look.newId);
  look.checked =
      (withId && IsCheckedKind(kind_, r.target.kind)) || r.target.form == Target::Form::Fixed;
  if (!look.checked) return;
  const PictureMatch& match = folder_.Find(r.from);
  if (match.how == PictureMatch::How::Exact) {
    look.picture = Picture::Found;
  } else if (match.how == PictureMatch::How::OtherCase) {
    look.picture = Picture::OtherCase;
    look.match = &match;
  } else if (match.how == PictureMatch::How::OutOfPack) {
    look.picture = Picture::OutOfPack;
    look.match = &match;
  } else {
    look.picture = withId && folder_.HasIdPicture(r.target.IdIn(r.to)) ? Picture::Translated
                                                                       : Picture::Missing;
  }
}

std::vector<std::size_t> PackMatching::Unmapped(const PackPictures& all) {
  std::vector<std::size_t> unmapped;
  const std::vector<std::string_view>& pictures = all.Names();
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    if (all.Found(i)) continue;
    const std::string_view stem = pictures[i].substr(0, pictures[i].size() - kExtensionLength);
    if (names_.Contains(stem) || ids_.Contains(stem) || NamedInOtherCase(stem)) continue;
    unmapped.push_back(i);
  }
  // The folder comes in the order its file system keeps: a report should
  // read the same everywhere.
  std::sort(unmapped.begin(), unmapped.end(),
            [&](std::size_t a, std::size_t b) { return pictures[a] < pictures[b]; });
  return unmapped;
}

bool PackMatching::NamedInOtherCase(std::string_view stem) {
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

}  // namespace mapio::pack
