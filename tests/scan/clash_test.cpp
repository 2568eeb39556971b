// What two packs claim: the cross-pack matching, once, on packs read from
// text (no folder needed).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/object_kind.h"
#include "pack/pack_file.h"
#include "scan/clash_index.h"

namespace mapio::testing {
namespace {

// Each record on its own line, the first on line 3.
std::string PackText(const std::vector<std::string>& targets) {
  std::string text = "<record>\n<list id=\"maps\">\n";
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const std::size_t bar = targets[i].find('|');
    const std::string from = bar == std::string::npos ? std::string("p").append(std::to_string(i))
                                                      : targets[i].substr(0, bar);
    const std::string to = bar == std::string::npos ? targets[i] : targets[i].substr(bar + 1);
    text += "<record from=\"" + from + "\" to=\"" + to + "\"/>\n";
  }
  return text + "</list>\n</record>";
}

// "clash KEY at a:3, b:4" with the packs as a, b, c, ...; a name-clash names
// each record's kind too.
std::string Brief(const scan::Clash& clash) {
  const bool name = clash.type == scan::Clash::Type::Name;
  std::string text = std::string(name ? "name-clash " : "clash ") + clash.key + " at";
  for (std::size_t i = 0; i < clash.records.size(); ++i) {
    const scan::ClashRecord& r = clash.records[i];
    text += std::string(i == 0 ? " " : ", ") + static_cast<char>('a' + r.pack) + ":" +
            std::to_string(r.line);
    if (name) text.append(" ").append(KindOf(*r.kind).cliName).append(" ").append(r.target);
  }
  return text;
}

struct ClashCase {
  const char* title;
  std::vector<std::vector<std::string>> packs;  // targets, or "from|to"
  std::vector<std::string> expected;
};

const std::string kFace7 = "graphics/pictures/person/7/portrait";

TEST(ClashIndex, FindsWhatSeveralPacksMap) {
  const std::vector<ClashCase> cases = {
      {"one target in two packs", {{kFace7}, {"x", kFace7}}, {"clash " + kFace7 + " at a:3, b:4"}},
      {"and in three", {{kFace7}, {kFace7}, {kFace7}}, {"clash " + kFace7 + " at a:3, b:3, c:3"}},
      {"a pack's own duplicate is its check's: named once",
       {{kFace7, kFace7}, {kFace7, kFace7}},
       {"clash " + kFace7 + " at a:3, b:3"}},
      {"a clash inside one pack alone is none", {{kFace7, kFace7}}, {}},
      {"the game's letter case is none",
       {{"Graphics/Pictures/Person/7/Portrait"}, {kFace7}},
       {"clash " + kFace7 + " at a:3, b:3"}},
      {"a club's icon and its logo",
       {{"graphics/pictures/club/5/logo"}, {"graphics/pictures/club/5/icon"}},
       {}},
      {"plain and r- IDs", {{kFace7}, {"graphics/pictures/person/r-7/portrait"}}, {}},
      {"leading zeros make another ID", {{kFace7}, {"graphics/pictures/person/007/portrait"}}, {}},
      {"nations under team/ are another path",
       {{"graphics/pictures/nation/5/logo"}, {"graphics/pictures/team/5/logo"}},
       {}},
      {"two kits of one team",
       {{"graphics/pictures/team/5/kits/home"}, {"graphics/pictures/team/5/kits/away"}},
       {}},
      {"an ID too long for a number, and a placeholder",
       {{"graphics/pictures/person/12345678901234567890/portrait",
         "graphics/pictures/person/none/portrait"},
        {"graphics/pictures/person/none/portrait",
         "graphics/pictures/person/12345678901234567890/portrait"}},
       {"clash graphics/pictures/person/12345678901234567890/portrait at a:3, b:4",
        "clash graphics/pictures/person/none/portrait at a:4, b:3"}},
      {"targets of no picture are no resource", {{"nowhere/7"}, {"nowhere/7"}}, {}},
      {"one name, one kind",
       {{"1123|" + kFace7}, {"1123|graphics/pictures/person/8/portrait"}},
       {}},
      {"one name, two kinds",
       {{"1123|" + kFace7}, {"x", "1123|graphics/pictures/club/5/icon"}},
       {"name-clash 1123 at a:3 faces " + kFace7 +
        ", b:4 club-logos graphics/pictures/club/5/icon"}},
      {"a name in other letter case; the line at the first record with another pack's other kind",
       {{"Abc|" + kFace7, "abc|graphics/pictures/club/5/logo"},
        {"ABC|graphics/pictures/person/8/portrait"}},
       {"name-clash abc at a:4 club-logos graphics/pictures/club/5/logo, b:3 faces "
        "graphics/pictures/person/8/portrait"}},
      {"the lines in the order of their records",
       {{"1|graphics/pictures/club/1/logo", "graphics/pictures/person/9/portrait"},
        {"graphics/pictures/person/9/portrait", "1|graphics/pictures/person/1/portrait"}},
       {"name-clash 1 at a:3 club-logos graphics/pictures/club/1/logo, b:4 faces "
        "graphics/pictures/person/1/portrait",
        "clash graphics/pictures/person/9/portrait at a:4, b:3"}},
  };
  for (const ClashCase& c : cases) {
    SCOPED_TRACE(c.title);
    std::vector<pack::PackFile> files;  // each holds what its records point into
    scan::ClashIndex index;
    for (const auto& targets : c.packs) {
      files.push_back(pack::ParsePackFile(PackText(targets)));
      index.AddPack(files.back());
    }
    std::vector<std::string> found;
    index.Clashes([&](const scan::Clash& clash) { found.push_back(Brief(clash)); });
    EXPECT_EQ(found, c.expected);
  }
}

}  // namespace
}  // namespace mapio::testing
