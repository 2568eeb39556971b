// A check's report as one JSON document, the same from the command line
// and from the window: an array with an object per folder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "checker/check_pack.h"

namespace mapio::checker {

class JsonReport {
 public:
  JsonReport();
  ~JsonReport();

  // A folder's object: its path, kind, counts and the report's findings.
  void Add(const PackReport& report);
  // The same with only `findings` listed (the counts stay the pack's).
  void Add(const PackReport& report, const std::vector<const Finding*>& findings);

  // The document, indented by two; bytes in names that are not UTF-8 (names
  // are in whatever code page the pack was made in) come out as U+FFFD.
  std::string Text() const;

 private:
  struct Folders;
  std::unique_ptr<Folders> folders_;
};

}  // namespace mapio::checker
