// Entries with pictures' names that are no pictures of the pack, as a
// downloaded archive may unpack them. POSIX only: Windows has no FIFOs,
// and its links need a privilege.
#pragma once

#ifndef _WIN32
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"

namespace mapio::testing {

// The pack `outer`/pack: 0.png a picture, 1.png a FIFO, 2.png a link to a
// device, 3.png a link to a picture outside the pack, 4.png a link that
// leads nowhere, and 5.png a link to 0.png, an ordinary picture.
inline std::string MakeHostilePack(const TempFolder& outer) {
  namespace fs = std::filesystem;
  outer.Write("outside.png", kTinyPng);
  outer.Write("pack/0.png", kTinyPng);
  const fs::path pack = outer.path() / "pack";
  mkfifo((pack / "1.png").c_str(), 0600);
  fs::create_symlink("/dev/zero", pack / "2.png");
  fs::create_symlink("../outside.png", pack / "3.png");
  fs::create_symlink("nowhere.png", pack / "4.png");
  fs::create_symlink("0.png", pack / "5.png");
  return pack.string();
}

}  // namespace mapio::testing
#endif
