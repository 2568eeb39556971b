#include "writer/mapping_updater.h"

#include <vector>

#include "pack/matching.h"
#include "pack/pack.h"
#include "pack/pack_edit.h"
#include "pack/pack_pictures.h"
#include "pack/pack_style.h"
#include "platform/atomic_writer.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mapio::writer {

namespace {

using Result = UpdateOutcome::Result;

class UpdateRun {
 public:
  UpdateRun(const std::string& folderPath, const UpdateOptions& options, UpdateEvents& events)
      : folderPath_(folderPath),
        options_(options),
        events_(events),
        mappingPath_(platform::JoinPath(folderPath, kMappingFileName)),
        pack_(pack::LoadPack(folderPath)) {}

  // One reading of the file and one listing of the folder for everything
  // (but the last look before pruning): what is removed and what is added
  // are found on the bytes written back.
  UpdateOutcome Run() {
    if (!pack_.file.exists) {
      outcome_.readResult = pack_.file.readResult;
      outcome_.utf16 = pack_.file.utf16;
      return Ended(Result::NotRead);
    }
    if (!pack_.file.Editable()) return Ended(Result::NoList);
    if (!pack_.folder->Exists()) return Ended(Result::ListingFailed);
    const std::vector<const pack::Record*> missing = MatchAndAdd();
    // The folder is looked at afresh before pruning; the first listing's
    // memory goes first.
    pack_.folder.reset();
    PruneStillMissing(missing);
    for (const std::string& line : addedLines_) events_.Changed('+', line);
    if (!edit_.Empty() && !options_.dryRun && !Write()) return Ended(Result::WriteFailed);
    return Ended(Result::Updated);
  }

 private:
  // The records whose picture is missing, to prune, and the new pictures'
  // lines added.
  std::vector<const pack::Record*> MatchAndAdd() {
    const ObjectKind kind = options_.kind ? *options_.kind : pack::KindOfRecords(pack_.file);
    pack::PackMatching matching(pack_.file, *pack_.folder, kind);
    std::vector<const pack::Record*> missing;
    matching.Records([&](std::size_t, const pack::Record& record, const pack::RecordLook& look) {
      if (options_.prune && look.checked && look.picture == pack::Picture::Missing)
        missing.push_back(&record);
    });
    const pack::LineStyle style = pack::StyleOf(pack_.file, kind);
    RecordMaker maker(kind, options_.idsFromNames, events_, style);
    if (options_.addNew) {
      AddNew(matching.Unmapped(pack::PackPictures(*pack_.folder, false)), maker, style);
      PassOver(pack_.folder->NotPictures());
    }
    outcome_.added = maker.Added();
    outcome_.tooLarge = maker.TooLarge();
    outcome_.unnumbered = maker.Unnumbered();
    return missing;
  }

  // Just before the write, as the folder is now: a picture that came back
  // while the job ran (while an ID was typed, say) keeps its record. One
  // listing more, and one lookup per record; none when nothing is missing.
  void PruneStillMissing(const std::vector<const pack::Record*>& missing) {
    if (missing.empty()) return;
    pack::PackFolder now(folderPath_);
    if (!now.Exists()) return;
    for (const pack::Record* record : missing) {
      if (now.Find(record->from).how != pack::PictureMatch::How::None) continue;
      const bool withId = record->target.form == pack::Target::Form::Id;
      if (withId && now.HasIdPicture(record->target.IdIn(record->to))) continue;
      Remove(*record);
    }
  }

  // The record's own bytes, and its lines when nothing else stands there.
  void Remove(const pack::Record& record) {
    const auto [begin, end] = pack::RemovalRange(pack_.file, record);
    edit_.Remove(begin, end);
    outcome_.removed.push_back({record.line, std::string(record.from)});
    if (options_.listChanges)
      events_.Changed(
          '-', std::string(pack_.file.bytes.substr(record.begin, record.end - record.begin)));
  }

  // The pictures no record names, in the make job's order, before </list>.
  void AddNew(const std::vector<std::size_t>& unmapped, RecordMaker& maker,
              const pack::LineStyle& style) {
    platform::FolderListing fresh;
    for (const std::size_t i : unmapped) fresh.Add(pack_.folder->Pictures()[i]);
    fresh.SortByName();
    maker.SetExpected(static_cast<std::uint32_t>(fresh.Size()));
    std::string lines;
    std::string line;
    for (const platform::DirEntry entry : fresh) {
      if (!maker.Make(entry.name, line)) continue;
      // Told after the removals, which are known last.
      if (options_.listChanges) addedLines_.emplace_back(platform::Trim(line));
      lines += line;
    }
    if (lines.empty()) return;
    bool needsBreak = false;
    const std::size_t at = pack::InsertionPoint(pack_.file, needsBreak);
    if (needsBreak) lines.insert(0, style.lineEnd);
    edit_.Insert(at, std::move(lines));
  }

  // In the make job's order, as it names them.
  void PassOver(const std::vector<pack::NotAPicture>& entries) {
    platform::FolderListing names;
    for (const pack::NotAPicture& entry : entries) names.Add(entry.name);
    names.SortByName();
    for (const platform::DirEntry entry : names) outcome_.passedOver.Add(entry.name);
  }

  // Over the file as it was read, and nothing else: one changed since by
  // another program (or another run) is left to it.
  bool Write() {
    outcome_.failure = pack::WriteEdited(mappingPath_, pack_.file, edit_, options_.writerHooks);
    return outcome_.failure == platform::WriteFailure::None;
  }

  UpdateOutcome Ended(Result result) {
    outcome_.result = result;
    outcome_.kept = pack_.file.records.size() - outcome_.removed.size();
    return std::move(outcome_);
  }

  const std::string& folderPath_;
  const UpdateOptions& options_;
  UpdateEvents& events_;
  const std::string mappingPath_;
  pack::Pack pack_;
  pack::PackEdit edit_;
  UpdateOutcome outcome_;
  std::vector<std::string> addedLines_;
};

}  // namespace

UpdateOutcome UpdateMapping(const std::string& folderPath, const UpdateOptions& options,
                            UpdateEvents& events) {
  return UpdateRun(folderPath, options, events).Run();
}

}  // namespace mapio::writer
