// A picture folder with a config.xml, and a run of the translate job on it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/object_kind.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_folder.h"
#include "ui/window_jobs.h"

namespace mapio::testing {

// `<record from="from" to="graphics/pictures/person/id/portrait"/>`
std::string FaceRecord(const std::string& from, const std::string& id);
// The header the make job writes, these lines each with "\t\t" before them,
// and the trailer.
std::string ConfigWith(const std::vector<std::string>& records);
std::string WithCrLf(const std::string& lfText);

Message ParseError();
Message RenameWarning(const std::string& from, const std::string& id);
// `renamedLines` as the list holds them ("a -> 101\n"), empty for none.
Message Status(const std::string& renamedLines, int renamed, int total);
Message ReadError();

// Readable failures.
void PrintTo(const Message& m, std::ostream* os);

class TranslatorTest : public ::testing::Test {
 protected:
  TempFolder dir;
  FakeHost host;

  // Each file holds its own name, so State() shows what became of it.
  void AddFiles(const std::vector<std::string>& names) const;
  // a.png translated to 1.png, its journal in `journals`: the journal's name.
  std::string JournalOfOneRename(const TempFolder& journals);
  // Windows and macOS find a.png by the name A.PNG and cannot hold both.
  bool FolderIgnoresCase() const;
  // Sorted "name=content" of every entry but config.xml; "name/" for folders.
  std::vector<std::string> State() const;
  using OnRename = std::function<void(const std::string& from, const std::string& to)>;
  std::vector<Message> Run(const std::string& configText, std::optional<ObjectKind> kind = Faces,
                           bool dryRun = false, const OnRename& onRename = {});
  // A kind of nullopt: no button of the object group marked.
  std::vector<Message> RunAgain(std::optional<ObjectKind> kind = Faces, bool dryRun = false,
                                const OnRename& onRename = {});
};

}  // namespace mapio::testing
