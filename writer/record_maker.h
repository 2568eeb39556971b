// The make job's rules for one folder's files, shared by the make job and
// the update job: which entries get a record, and each record's line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/job_host.h"
#include "core/job_settings.h"
#include "core/mapping_messages.h"
#include "pack/pack_style.h"
#include "platform/platform.h"

namespace mapio {

inline constexpr std::string_view kListingFailed =
    "The files of this directory could not be listed! No file was changed.";
inline constexpr std::string_view kSuccessCaption = "Success!";
// "Success! N files added in XML file!"
std::string SuccessText(std::uint32_t added);

// Whether an entry of `folderPath` gets a record: files only, never
// config.xml (in any letter case where the file system ignores it), never
// a temporary file a killed run of Mapio left behind.
bool IsMappingFileName(const std::string& folderPath, std::string_view name);
bool IsRecordCandidate(const std::string& folderPath, const platform::DirEntry& entry);

// Makes the record lines of one run, one file at a time, with the ID from
// the file's name or from a prompt, and keeps the counts the prompts show.
class RecordMaker {
 public:
  // The make job's lines.
  RecordMaker(const JobSettings& settings, JobHost& host, IdPrompter& prompter);
  // Lines in a pack's own style; with IDs from names, a name that begins
  // with no number gets no line (rather than the ID 0).
  RecordMaker(const JobSettings& settings, IdPrompter& prompter, const pack::LineStyle& style);

  // The number of files that will be asked about, before the first.
  void SetExpected(std::uint32_t expected) { expected_ = expected; }
  // Fills `line` (indent, the record, line end) for the file and returns
  // true, or returns false when the file gets no record.
  bool Make(std::string_view fileName, std::string& line);

  std::uint32_t Added() const { return added_; }
  // The warning for the files that got no record for want of an ID; empty
  // when there were none.
  std::string SkippedWarning() const;

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
  std::vector<std::string> skipped_;     // names whose number is no ID
  std::vector<std::string> unnumbered_;  // names that begin with no number
  std::string escaped_;
};

}  // namespace mapio
