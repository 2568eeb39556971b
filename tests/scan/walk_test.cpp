// The walk below a folder: which folders are packs, in which order, and
// what it passes over.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/record_template.h"
#include "scan/pack_walk.h"
#include "tests/support/temp_folder.h"

namespace mapio::testing {
namespace {

class Visits final : public scan::WalkVisitor {
 public:
  void Pack(const std::string& relative, const std::string&, pack::Pack& pack) override {
    seen.push_back("pack " + relative + " " + std::to_string(pack.file.records.size()));
  }
  void Folder(const std::string& relative, const std::string&,
              const platform::FolderListing&) override {
    seen.push_back("folder " + relative);
  }
  void Unreadable(const std::string& relative) override {
    seen.push_back("unreadable " + relative);
  }
  std::vector<std::string> seen;
};

std::string Below(std::initializer_list<std::string_view> parts) {
  std::string path;
  for (const std::string_view part : parts) path = scan::JoinRelative(path, part);
  return path;
}

TEST(PackWalk, EveryFolderWithAConfigXmlIsAPackLinksAndUnreadableFoldersPassedOver) {
  TempFolder root;
  const std::string oneRecord =
      std::string(MappingHeader) +
      "\t\t<record from=\"a\" to=\"graphics/pictures/person/1/portrait\"/>\n" +
      std::string(MappingTrailer);
  root.Write("config.xml", oneRecord);  // the folder itself is a pack
  root.Write("faces/config.xml", oneRecord);
  root.Write("faces/2024/config.xml", oneRecord);  // a pack inside a pack
  root.Write("faces/2024/kits/notes.txt");
  root.Write("skins/logos/config.xml", oneRecord);
  root.Write("locked/inside/config.xml", oneRecord);
  std::error_code failed;
  std::filesystem::create_directory_symlink(root.path() / "faces", root.path() / "also-faces",
                                            failed);

  Visits visits;
  scan::WalkOptions options;
  // A folder that cannot be read, whoever runs the test.
  options.listFolder = [](const std::string& path, platform::FolderListing& entries) {
    if (path.ends_with("locked")) return false;
    return platform::ListFolder(path, entries, platform::ListOrder::AsStored);
  };
  const scan::WalkCounts counts = scan::WalkPacks(root.str(), visits, options);
  EXPECT_EQ(visits.seen, (std::vector<std::string>{
                             "pack  1",
                             "pack faces 1",
                             std::string("pack ").append(Below({"faces", "2024"})) + " 1",
                             std::string("folder ").append(Below({"faces", "2024", "kits"})),
                             "unreadable locked",
                             "folder skins",
                             std::string("pack ").append(Below({"skins", "logos"})) + " 1",
                         }));
  EXPECT_EQ(counts.packs, 4u);
  EXPECT_EQ(counts.unreadable, 1u);
  EXPECT_EQ(counts.links, failed ? 0u : 1u);  // a system without links has none to pass over
}

}  // namespace
}  // namespace mapio::testing
