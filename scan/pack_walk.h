// The packs below a folder: every folder at or below it that holds a
// config.xml, the folder itself too, each listed once.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "pack/pack.h"
#include "platform/platform.h"

namespace mapio::scan {

class WalkVisitor {
 public:
  virtual ~WalkVisitor() = default;
  // A folder with a config.xml, read and listed. `relative` is its path
  // below the walked folder ("" for that folder itself); `path` the whole.
  virtual void Pack(const std::string& relative, const std::string& path, pack::Pack& pack) = 0;
  // A folder without one, as listed.
  virtual void Folder(const std::string& /*relative*/, const std::string& /*path*/,
                      const platform::FolderListing& /*entries*/) {}
  // A folder that could not be listed; the walk goes on without it.
  virtual void Unreadable(const std::string& relative) = 0;
};

struct WalkOptions {
  // How a folder without a config.xml is listed: platform::ListFolder when
  // empty (a test's seam for a folder that cannot be read).
  std::function<bool(const std::string& path, platform::FolderListing& entries)> listFolder;
};

struct WalkCounts {
  std::size_t packs = 0;
  std::size_t links = 0;  // links to folders, passed over
  std::size_t unreadable = 0;
};

// Depth first, each folder's subfolders in the order of their names; a
// pack's subfolders too, where a config.xml of their own makes them packs
// of their own. Links to folders are counted, never followed: a link may
// lead out of the folder, or round in a circle.
WalkCounts WalkPacks(const std::string& folder, WalkVisitor& visitor,
                     const WalkOptions& options = {});

// "faces" below "" and "faces/2024" below "faces", with the system's separator.
std::string JoinRelative(const std::string& relative, std::string_view name);

}  // namespace mapio::scan
