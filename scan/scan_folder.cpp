#include "scan/scan_folder.h"

#include "pack/pack.h"

namespace mapio::scan {

namespace {

// One pack's check, told to the scan's events as that pack's.
class PackEvents final : public checker::CheckEvents {
 public:
  PackEvents(ScanEvents& events, const ScannedPack& pack) : events_(events), pack_(pack) {}
  void Progress(const JobProgress& progress) override { events_.Progress(progress); }
  bool Found(const checker::Finding& finding) override { return events_.Found(pack_, finding); }

 private:
  ScanEvents& events_;
  const ScannedPack& pack_;
};

class Scanner final : public WalkVisitor {
 public:
  Scanner(const ScanOptions& options, ScanEvents& events, ScanOutcome& outcome)
      : options_(options), events_(events), outcome_(outcome) {}

  void Pack(const std::string& relative, const std::string& path, pack::Pack& pack) override {
    ScannedPack& scanned = outcome_.packs.emplace_back();
    scanned.relative = relative;
    scanned.report.folderPath = relative.empty() ? "." : relative;
    events_.PackStarted(scanned);
    // The folder's own pack for the kind asked for; every other for the
    // kind most of its records have.
    const std::optional<ObjectKind> kind = relative.empty() ? options_.ownPackKind : std::nullopt;
    PackEvents events(events_, scanned);
    checker::PackReport report = checker::CheckPack(path, pack, kind, options_.check, events);
    report.folderPath = scanned.report.folderPath;
    scanned.report = std::move(report);
    // After the check, whose own tables have gone: the two never peak together.
    index_.AddPack(pack.file);
    outcome_.records += scanned.report.records;
    outcome_.pictures += scanned.report.pictures;
    outcome_.findings += scanned.report.findingCount;
    events_.PackChecked(scanned);
  }

  void Unreadable(const std::string& relative) override {
    ++outcome_.findings;
    if (!events_.Unreadable(relative)) outcome_.unreadable.push_back(relative);
  }

  void Clashes() {
    index_.Clashes([&](const Clash& clash) {
      ++outcome_.clashCount;
      if (!events_.Clashed(clash, outcome_.packs)) outcome_.clashes.push_back(clash);
    });
  }

 private:
  const ScanOptions& options_;
  ScanEvents& events_;
  ScanOutcome& outcome_;
  ClashIndex index_;
};

}  // namespace

ScanOutcome ScanFolder(const std::string& folder, const ScanOptions& options, ScanEvents& events) {
  ScanOutcome outcome;
  Scanner scanner(options, events, outcome);
  outcome.links = WalkPacks(folder, scanner, options.walk).links;
  scanner.Clashes();
  return outcome;
}

}  // namespace mapio::scan
