// What two packs claim: every record's target and picture name kept as a
// small number (16 bytes a record, where a map of strings takes ten times
// that), then sorted, so that a graphics folder of a million records finds
// its clashes in a few tens of megabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/name_index.h"
#include "core/object_kind.h"
#include "pack/pack_file.h"
#include "pack/target.h"

namespace mapio::scan {

// A record's target as the game compares it: its text in lower case
// (into `folded` where it had upper case) in `to`, and what that points at.
pack::Target GameTarget(const pack::Record& record, std::string& folded, std::string_view& to);

struct ClashRecord {
  std::uint32_t pack = 0;  // its number in the order the packs were added
  std::uint32_t line = 0;
  std::optional<ObjectKind> kind;  // none for a fixed picture of the game
  std::string target;              // as the game compares it
};

struct Clash {
  enum class Type : std::uint8_t {
    // One resource mapped in several packs: only one picture shows.
    Resource,
    // One picture name mapped under different kinds in different packs.
    Name,
  };
  Type type = Type::Resource;
  // The resource ("graphics/pictures/person/103/portrait") or the picture
  // name, as the game compares them: in lower case.
  std::string key;
  std::string id;  // a resource's ID, without "r-"; empty for a fixed picture
  // The record the line stands at, then each other one it names: a pack's
  // first record of the resource (of the name and kind), never two of one
  // pack for a resource, whose own check names the others.
  std::vector<ClashRecord> records;
};

class ClashIndex {
 public:
  // The records of the next pack, which gets the next number from 0.
  void AddPack(const pack::PackFile& file);
  std::uint32_t Packs() const { return packs_; }

  // Every clash, in the order of the record its line stands at: by pack,
  // then by line; of two at one record, the resource's first.
  void Clashes(const std::function<void(const Clash&)>& visit);

  // Each record as numbers: its place (pack << 32 | line), its target's key
  // and, for a name, its name's key. A key is the value itself where it
  // fits (an ID of up to 15 digits with its kind and form, a name of up to
  // 17 digits), else a number of a text in an index, with the top bit set.
  struct TargetEntry {
    std::uint64_t key;
    std::uint64_t place;
  };
  struct NameEntry {
    std::uint64_t key;
    std::uint64_t target;
    std::uint64_t place;
  };
  struct Group {
    std::uint64_t place;  // where its line stands
    Clash::Type type;
    std::uint32_t begin;  // into targets_ or names_
    std::uint32_t end;
  };

 private:
  std::optional<std::uint64_t> TargetKey(const pack::Record& record);
  std::uint64_t NameKey(std::string_view from);
  std::optional<ObjectKind> KindOfTarget(std::uint64_t target) const;
  // The target's text, and its ID's digits into `id`.
  std::string TargetOf(std::uint64_t target, std::string* id) const;
  ClashRecord RecordOf(std::uint64_t target, std::uint64_t place) const;
  void FindResourceClashes(std::vector<Group>& groups) const;
  // Drops the names that cannot clash.
  void FindNameClashes(std::vector<Group>& groups);
  void Make(const Group& group, Clash& clash) const;

  std::uint32_t packs_ = 0;
  // Each pack's, as they came; then, to find the clashes, all of them by
  // key, and of the names only those a record of another kind has too.
  std::vector<std::vector<TargetEntry>> targetRuns_;
  std::vector<std::vector<NameEntry>> nameRuns_;  // of the records with an ID
  std::vector<TargetEntry> targets_;
  std::vector<NameEntry> names_;
  NameIndex otherTargets_;  // those not kept as a number, folded
  NameIndex otherNames_;
  std::string folded_;
};

}  // namespace mapio::scan
