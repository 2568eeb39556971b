// Records matched with the pictures of their folder: which picture each
// record shows, and which pictures no record names. The check turns this
// into findings, the update into the lines it removes and adds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/name_index.h"
#include "core/object_kind.h"
#include "pack/pack_file.h"
#include "pack/pack_folder.h"
#include "pack/pack_pictures.h"

namespace mapio::pack {

// How a record's picture is found in the folder.
enum class Picture : std::uint8_t {
  NotLooked,   // a record of another kind, of no picture, or leaving the folder
  Found,       // under its very name
  OtherCase,   // only in other letter case: found by the game on Windows and macOS
  Translated,  // not under its name, but under its ID: the folder was translated
  Missing,
  OutOfPack,  // its folder leads out of the pack through a link: never looked at
};

struct RecordLook {
  const char* unsafe = nullptr;  // why the name leaves the folder; then nothing else is set
  bool checked = false;          // of the kind matched for, or a fixed target
  Picture picture = Picture::NotLooked;
  const PictureMatch* match = nullptr;  // for OtherCase and OutOfPack; until the next record
  // The record's name and ID in the matching's indexes, which hold every
  // record's whatever its kind, and whether this record gave them first.
  std::uint32_t name = NameIndex::kNone;
  std::uint32_t id = NameIndex::kNone;
  bool newName = false;
  bool newId = false;
};

class PackMatching {
 public:
  // `kind`: the kind whose records are looked up (with the fixed targets).
  PackMatching(const PackFile& file, PackFolder& folder, ObjectKind kind);

  using Visit = std::function<void(std::size_t index, const Record&, const RecordLook&)>;
  // Each record in file order.
  void Records(const Visit& visit);
  // After Records: the pictures that no record names, by its name in any
  // letter case or by its ID, in the order of their bytes: their numbers
  // in `pictures`.
  std::vector<std::size_t> Unmapped(const PackPictures& pictures);

 private:
  void Look(const Record& record, RecordLook& look);
  bool NamedInOtherCase(std::string_view stem);

  const PackFile& file_;
  PackFolder& folder_;
  const ObjectKind kind_;
  NameIndex names_;
  NameIndex ids_;
  NameIndex foldedNames_;  // made only when a picture asks
  bool foldedMade_ = false;
  std::string key_;
};

}  // namespace mapio::pack
