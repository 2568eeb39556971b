// The scan job: every pack below a folder checked as check checks it, then
// what two packs claim. Changes no file.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "checker/check_pack.h"
#include "core/job_questions.h"
#include "scan/clash_index.h"
#include "scan/pack_walk.h"

namespace mapio::scan {

// One pack of a scan: where it lies below the scanned folder, and its check.
struct ScannedPack {
  std::string relative;  // "" for the scanned folder itself
  // Its folderPath is `relative`, "." for the scanned folder itself.
  checker::PackReport report;
};

struct ScanOptions {
  // Each pack's check, as check's own options say.
  bool pictures = true;
  bool deep = false;
  bool caseSensitive = false;
  // The kind the folder's own pack is checked for (the window's marked
  // kind); without it, and for every other pack, the kind most of its
  // records have.
  std::optional<ObjectKind> ownPackKind;
  WalkOptions walk;
};

// What the scan tells while it runs; each may be empty. What a function
// takes is not held in the outcome: a scan of a million records holds none
// of its findings when it is told them as they come.
struct ScanEvents {
  // A pack's check begins: its report names it, and counts nothing yet.
  std::function<void(const ScannedPack& pack)> packStarted;
  std::function<void(const ScannedPack& pack, const checker::Finding& finding)> finding;
  std::function<void(const ScannedPack& pack)> packChecked;
  // A folder that could not be read: the packs in it were not checked.
  std::function<void(const std::string& relative)> unreadable;
  // After the last pack, in the order of the records their lines stand at;
  // `packs` are those the clash's records name.
  std::function<void(const Clash& clash, const std::vector<ScannedPack>& packs)> clash;
  // The pack being checked: how far it has come.
  std::function<void(const JobProgress& progress)> progress;
  // How other-kind findings name a kind (check's own words by default).
  std::function<std::string(ObjectKind kind)> kindName;
};

struct ScanOutcome {
  std::vector<ScannedPack> packs;       // in the walk's order
  std::vector<std::string> unreadable;  // folders, when no event took them
  std::vector<Clash> clashes;           // when no event took them
  std::size_t records = 0;
  std::size_t pictures = 0;
  std::size_t findings = 0;  // the packs' own, and each unreadable folder
  std::size_t clashCount = 0;
  std::size_t links = 0;  // links to folders passed over
  bool Clean() const { return findings == 0 && clashCount == 0; }
};

// `folder` is absolute; a report names the packs by their paths below it.
ScanOutcome ScanFolder(const std::string& folder, const ScanOptions& options,
                       const ScanEvents& events = {});

}  // namespace mapio::scan
