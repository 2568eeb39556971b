#include "writer/mapping_updater.h"

#include <vector>

#include "core/mapping_messages.h"
#include "pack/matching.h"
#include "pack/pack.h"
#include "pack/pack_edit.h"
#include "pack/pack_style.h"
#include "platform/platform.h"
#include "writer/record_maker.h"

namespace mapio {

namespace {

class UpdateRun {
 public:
  UpdateRun(JobSettings& settings, JobHost& host, IdPrompter& prompter,
            const UpdateOptions& options)
      : settings_(settings),
        host_(host),
        prompter_(prompter),
        options_(options),
        mappingPath_(platform::JoinPath(settings.folderPath, kMappingFileName)) {}

  void Run() {
    // One reading of the file and one listing of the folder for everything:
    // what is removed and what is added are found on the bytes written back.
    pack_ = pack::LoadPack(settings_.folderPath);
    if (!Readable()) return;
    pack::PackMatching matching(pack_.file, *pack_.folder, settings_.objectKind);
    matching.Records([&](std::size_t, const pack::Record& record, const pack::RecordLook& look) {
      if (options_.prune && look.checked && look.picture == pack::Picture::Missing) Remove(record);
    });
    pack::LineStyle style = pack::StyleOf(pack_.file, settings_.objectKind);
    RecordMaker maker(settings_, prompter_, style);
    if (options_.addNew) AddNew(matching.Unmapped(), maker, style);
    if (edit_.Empty() || options_.dryRun || Write()) Report(maker);
  }

 private:
  bool Readable() {
    if (!pack_.file.exists) {
      const platform::ReadResult result = pack_.file.readResult;
      const bool missing = result == platform::ReadResult::Missing;
      host_.ShowMessage(ReadFailureText(result, pack_.file.utf16),
                        missing ? kMappingOpenFailedCaption : kErrorCaption, MessageKind::Warning);
      return false;
    }
    if (!pack_.file.Editable()) {
      host_.ShowMessage(kMappingReadError, kErrorCaption, MessageKind::Warning);
      return false;
    }
    if (!pack_.folder->Exists()) {
      host_.ShowMessage(kListingFailed, kErrorCaption, MessageKind::Warning);
      return false;
    }
    return true;
  }

  // The record's own bytes, and its lines when nothing else stands there.
  void Remove(const pack::Record& record) {
    const auto [begin, end] = pack::RemovalRange(pack_.file, record);
    edit_.Remove(begin, end);
    removed_.push_back("line " + std::to_string(record.line) + ": " + std::string(record.from));
    if (options_.onChange)
      options_.onChange(
          '-', std::string(pack_.file.bytes.substr(record.begin, record.end - record.begin)));
  }

  // The pictures no record names, in the make job's order, before </list>.
  void AddNew(const std::vector<std::string_view>& unmapped, RecordMaker& maker,
              const pack::LineStyle& style) {
    platform::FolderListing fresh;
    for (const std::string_view name : unmapped) fresh.Add(name, false);
    fresh.SortByName();
    maker.SetExpected(static_cast<std::uint32_t>(fresh.Size()));
    std::string lines;
    std::string line;
    for (const platform::DirEntry entry : fresh) {
      if (!maker.Make(entry.name, line)) continue;
      if (options_.onChange) options_.onChange('+', std::string(platform::Trim(line)));
      lines += line;
    }
    if (lines.empty()) return;
    bool needsBreak = false;
    const std::size_t at = pack::InsertionPoint(pack_.file, needsBreak);
    if (needsBreak) lines.insert(0, style.lineEnd);
    edit_.Insert(at, std::move(lines));
  }

  // Over the file as it was read, and nothing else: one changed since by
  // another program (or another run) is left to it.
  bool Write() {
    const platform::ExpectedTarget expected(pack_.file.stamp, pack_.file.bytes);
    platform::AtomicFileWriter file;
    file.Open(mappingPath_, platform::FileMode::Binary, &expected);
    edit_.WriteTo(pack_.file.bytes, [&file](std::string_view piece) { file.Write(piece); });
    if (file.Failed() || !file.Commit()) {
      host_.ShowMessage(WriteFailureText(file.Failure()), kErrorCaption, MessageKind::Warning);
      return false;
    }
    return true;
  }

  void Report(const RecordMaker& maker) {
    const std::string skipped = maker.SkippedWarning();
    if (!skipped.empty()) host_.ShowMessage(skipped, "Files not added", MessageKind::Warning);
    const std::string added = std::to_string(maker.Added());
    const std::string removed = std::to_string(removed_.size());
    const std::string kept = std::to_string(pack_.file.records.size() - removed_.size());
    std::string text =
        options_.dryRun
            ? "Dry run, nothing was written: " + added + " files would be added in XML file!\n" +
                  kept + " records would be kept, " + removed + " removed"
            : SuccessText(maker.Added()) + "\n" + kept + " records kept, " + removed + " removed";
    text += removed_.empty() ? "." : ":";
    for (const std::string& r : removed_) text += "\n" + r;
    host_.ShowMessage(text, kSuccessCaption, MessageKind::Information);
  }

  JobSettings& settings_;
  JobHost& host_;
  IdPrompter& prompter_;
  const UpdateOptions& options_;
  const std::string mappingPath_;
  pack::Pack pack_;
  pack::PackEdit edit_;
  std::vector<std::string> removed_;
};

}  // namespace

void MappingUpdater(JobSettings& settings, JobHost& host, IdPrompter& prompter,
                    const UpdateOptions& options) {
  UpdateRun(settings, host, prompter, options).Run();
}

}  // namespace mapio
