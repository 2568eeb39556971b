// What the report shows beside a finding about a picture: where the file
// is, and what it holds, told by the check's own probe, so that both
// windows say the same.
#pragma once

#include <optional>
#include <string>

#include "checker/check_pack.h"

namespace mapio::ui {

struct PictureFacts {
  std::string path;         // the whole path, for the window to load it
  std::string name;         // as the report names it, in the pack's folder
  std::string description;  // "PNG, 180 × 240 pixels, 2.1 KB"
};

// The picture `finding` is about in `folder`; nullopt for a finding about
// no picture (a file without a picture's extension is none, nor is a FIFO
// or a link out of the pack).
std::optional<PictureFacts> LookAtPicture(const std::string& folder,
                                          const checker::Finding& finding);

// "512 bytes", "2.1 KB", "14.0 MB".
std::string FileSizeText(std::uint64_t bytes);

}  // namespace mapio::ui
