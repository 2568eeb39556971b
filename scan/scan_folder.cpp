#include "scan/scan_folder.h"

#include "pack/pack.h"

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
    checker::PackReport report =
        checker::CheckPack(path, pack, relative.empty() ? options_.ownPackKind : std::nullopt,
                           CheckOptionsFor(scanned));
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
  // What the scan hands each check: the one place it speaks to check's
  // callbacks.
  checker::CheckOptions CheckOptionsFor(const ScannedPack& scanned) const {
    checker::CheckOptions check;
    check.pictures = options_.pictures;
    check.deep = options_.deep;
    check.caseSensitive = options_.caseSensitive;
    check.kindName = events_.kindName;
    if (events_.progress)
      check.progress = [this](std::size_t done, std::size_t total) {
        events_.progress({JobProgress::Phase::Checking, done, total});
      };
    if (events_.finding)
      check.onFinding = [this, &scanned](const checker::Finding& f) {
        events_.finding(scanned, f);
      };
    return check;
  }

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
