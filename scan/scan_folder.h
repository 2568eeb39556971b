// The scan job: every pack below a folder checked as check checks it, then
// what two packs claim. Changes no file.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "checker/check_pack.h"
#include "core/job_events.h"
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
  // Each pack's check.
  checker::CheckOptions check;
  // The kind the folder's own pack is checked for (the window's marked
  // kind); without it, and for every other pack, the kind most of its
  // records have.
  std::optional<ObjectKind> ownPackKind;
  WalkOptions walk;
};

// What the scan tells while it runs; its progress is the pack being
// checked. What an event takes (returning true) is not held in the outcome:
// a scan of a million records holds none of its findings when it is told
// them as they come.
class ScanEvents : public JobEvents {
 public:
  // A pack's check begins: its report names it, and counts nothing yet.
  virtual void PackStarted(const ScannedPack& /*pack*/) {}
  virtual bool Found(const ScannedPack& /*pack*/, const checker::Finding& /*finding*/) {
    return false;
  }
  virtual void PackChecked(const ScannedPack& /*pack*/) {}
  // A folder that could not be read: the packs in it were not checked.
  virtual bool Unreadable(const std::string& /*relative*/) { return false; }
  // After the last pack, in the order of the records their lines stand at;
  // `packs` are those the clash's records name.
  virtual bool Clashed(const Clash& /*clash*/, const std::vector<ScannedPack>& /*packs*/) {
    return false;
  }
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
ScanOutcome ScanFolder(const std::string& folder, const ScanOptions& options, ScanEvents& events);
inline ScanOutcome ScanFolder(const std::string& folder, const ScanOptions& options) {
  ScanEvents unheard;
  return ScanFolder(folder, options, unheard);
}

}  // namespace mapio::scan
