#include "scan/scan_folder.h"

#include "pack/pack.h"
#include "scan/pack_check.h"

namespace mapio::scan {

namespace {

class Scanner final : public WalkVisitor {
 public:
  Scanner(const ScanOptions& options, const ScanEvents& events, ScanOutcome& outcome)
      : options_(options), events_(events), outcome_(outcome) {}

  void Pack(const std::string& relative, const std::string& path, pack::Pack& pack) override {
    ScannedPack& scanned = outcome_.packs.emplace_back();
    scanned.relative = relative;
    scanned.report.folderPath = relative.empty() ? "." : relative;
    if (events_.packStarted) events_.packStarted(scanned);
    PackCheck how;
    how.kind = relative.empty() ? options_.ownPackKind : std::nullopt;
    how.pictures = options_.pictures;
    how.deep = options_.deep;
    how.caseSensitive = options_.caseSensitive;
    how.kindName = events_.kindName;
    how.progress = events_.progress;
    if (events_.finding)
      how.finding = [this, &scanned](const checker::Finding& f) { events_.finding(scanned, f); };
    checker::PackReport report = CheckOnePack(path, pack, how);
    report.folderPath = scanned.report.folderPath;
    scanned.report = std::move(report);
    // After the check, whose own tables have gone: the two never peak together.
    index_.AddPack(pack.file);
    outcome_.records += scanned.report.records;
    outcome_.pictures += scanned.report.pictures;
    outcome_.findings += scanned.report.findingCount;
    if (events_.packChecked) events_.packChecked(scanned);
  }

  void Unreadable(const std::string& relative) override {
    ++outcome_.findings;
    if (events_.unreadable)
      events_.unreadable(relative);
    else
      outcome_.unreadable.push_back(relative);
  }

  void Clashes() {
    index_.Clashes([&](const Clash& clash) {
      ++outcome_.clashCount;
      if (events_.clash)
        events_.clash(clash, outcome_.packs);
      else
        outcome_.clashes.push_back(clash);
    });
  }

 private:
  const ScanOptions& options_;
  const ScanEvents& events_;
  ScanOutcome& outcome_;
  ClashIndex index_;
};

}  // namespace

ScanOutcome ScanFolder(const std::string& folder, const ScanOptions& options,
                       const ScanEvents& events) {
  ScanOutcome outcome;
  Scanner scanner(options, events, outcome);
  outcome.links = WalkPacks(folder, scanner, options.walk).links;
  scanner.Clashes();
  return outcome;
}

}  // namespace mapio::scan
