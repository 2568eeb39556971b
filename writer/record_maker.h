// The make job's rules for one folder's files, shared by the make job and
// the update job: which entries get a record, and each record's line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/job_events.h"
#include "core/name_list.h"
#include "core/object_kind.h"
#include "pack/pack_style.h"
#include "platform/folders.h"

namespace mapio::writer {

// Whether an entry of `folderPath` gets a record: files of the folder only
// (a link to one inside it too; see pack::LookAtEntry), never config.xml
// (in any letter case where the file system ignores it), never a
// temporary file a killed run of Mapio left behind.
bool IsMappingFileName(const std::string& folderPath, std::string_view name);
bool IsRecordCandidate(const std::string& folderPath, const platform::DirEntry& entry);

// Makes the record lines of one run, one file at a time, with the ID from
// the file's name or from a prompt, and keeps the counts the prompts show.
class RecordMaker {
 public:
  // The make job's lines.
  RecordMaker(ObjectKind objectKind, bool idsFromNames, IdPrompter& prompter);
  // Lines in a pack's own style; with IDs from names, a name that begins
  // with no number gets no line (rather than the ID 0).
  RecordMaker(ObjectKind objectKind, bool idsFromNames, IdPrompter& prompter,
              const pack::LineStyle& style);

  // The number of files that will be asked about, before the first.
  void SetExpected(std::uint32_t expected) { expected_ = expected; }
  // Fills `line` (indent, the record, line end) for the file and returns
  // true, or returns false when the file gets no record.
  bool Make(std::string_view fileName, std::string& line);

  std::uint32_t Added() const { return added_; }
  // Files whose name begins with a number too large for an ID.
  const NameList& TooLarge() const { return tooLarge_; }
  // Files whose name begins with no number at all (in a pack's style only).
  const NameList& Unnumbered() const { return unnumbered_; }

 private:
  bool FromName(std::string_view recordName, std::string_view fileName, std::string& line);
  bool ByPrompt(std::string_view recordName, std::string_view fileName, std::string& line);
  void Fill(std::string_view format, std::string_view recordName, std::uint32_t id,
            std::string& line);

  IdPrompter& prompter_;
  const bool kits_;
  const bool fromNames_;
  const bool needsNumber_ = false;
  std::string format_;  // indent and the kind's write format; unused for kits
  std::string kitFormats_[kKitKindNames.size()];
  std::uint32_t expected_ = 0;
  std::uint32_t added_ = 0;
  NameList tooLarge_;
  NameList unnumbered_;
  std::string escaped_;
};

}  // namespace mapio::writer
