// The check job: what is wrong with a pack, without changing a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/object_kind.h"

namespace mapio::pack {
struct Pack;
}

namespace mapio::checker {

enum class Category {
  Missing,
  Case,
  Translated,
  Unmapped,
  DuplicateName,
  DuplicateId,
  OtherKind,
  UnknownTarget,
  Unparsable,
  Unsafe,
  Encoding,
  Leftover,
  Empty,
  Mismatch,
  Broken,
  TooLarge,
  NotAFile,
  WindowsName,
  DoubleExtension,
  OddSize,
  Structure,
  // Between packs, found by a scan of the folder that holds them.
  Clash,
  NameClash,
};

// The category's word in reports: "missing", "duplicate-name", ...
std::string_view CategoryWord(Category category);

struct Finding {
  Finding(Category category = Category::Structure, std::size_t line = 0, std::string name = {},
          std::string id = {}, std::string detail = {}, std::string file = {})
      : category(category),
        line(line),
        name(std::move(name)),
        id(std::move(id)),
        detail(std::move(detail)),
        file(std::move(file)) {}

  Category category = Category::Structure;
  std::size_t line = 0;  // in config.xml, from 1; 0 for none
  std::string name;      // the record's from value, or the picture's file name
  std::string id;
  std::string detail;  // one sentence for people
  std::string file;    // a file of the folder the finding is about, when it has no line
  // The picture's format ("PNG", ...; empty when not known) and size (0 when
  // not known), for the findings about a picture of the folder.
  std::string_view format;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

struct PackReport {
  std::string folderPath;
  ObjectKind objectKind = Faces;
  bool kindFound = false;  // found from the records, not given
  std::size_t records = 0;
  std::size_t pictures = 0;
  std::vector<Finding> findings;  // in config.xml's order, then the files
  std::size_t findingCount = 0;   // the same when no one took them as they came
  // What the update job would do: records for the pictures no record
  // names, and the removal of the records whose picture is missing.
  std::size_t newPictures = 0;
  std::size_t missingRecords = 0;
  // The ID style of the records of the kind: plain ("2000123") or as newer
  // versions of the game give generated people ("r-2000123").
  std::size_t plainIds = 0;
  std::size_t generatedIds = 0;
  // The pictures' sizes, when their contents were looked at: "usual size
  // 180x180, 2 pictures of another size", "no usual size", "" for none.
  bool picturesLooked = false;
  std::string sizes;
};

struct CheckOptions {
  // Look inside every picture: its format, its header, its size.
  bool pictures = true;
  // And decode each whole, to find damage past the header.
  bool deep = false;
  // Report pictures found only in other letter case (as a system that
  // tells case apart would miss them); by default they are found, as the
  // game finds them on Windows and macOS.
  bool caseSensitive = false;
  // How other-kind findings name a kind; by default by its path.
  std::function<std::string(ObjectKind kind)> kindName;
  // Called now and then with the records and pictures looked at so far.
  std::function<void(std::size_t done, std::size_t total)> progress;
  // Takes each finding as it is made, in the report's order, instead of
  // PackReport::findings: half a million of them are never held.
  std::function<void(const Finding& finding)> onFinding;
};

// Checks the folder for `objectKind`; without one, for the kind most of its
// records have (faces when it has none).
PackReport CheckPack(const std::string& folderPath, std::optional<ObjectKind> objectKind,
                     const CheckOptions& options = {});
// The same on the pack of `folderPath` as pack::LoadPack gave it: a job
// that looks at the pack itself too reads and lists it once.
PackReport CheckPack(const std::string& folderPath, pack::Pack& pack,
                     std::optional<ObjectKind> objectKind, const CheckOptions& options = {});

}  // namespace mapio::checker
