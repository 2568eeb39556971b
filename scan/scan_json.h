// A scan's report as one JSON document: an array with an object per
// scanned folder, holding its packs as check's JSON gives them and its
// clashes with every record they name.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "scan/scan_folder.h"

namespace mapio::scan {

class ScanJson {
 public:
  ScanJson();
  ~ScanJson();
  // `folder` as the user gave it; the outcome's findings and clashes held.
  void Add(std::string_view folder, const ScanOutcome& outcome);
  std::string Text() const;

 private:
  struct Folders;
  std::unique_ptr<Folders> folders_;
};

}  // namespace mapio::scan
