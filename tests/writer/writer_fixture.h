// A folder, a host and a prompter for running the make job, and the text
// config.xml must then hold.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/object_kind.h"
#include "core/record_template.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_folder.h"
#include "ui/window_jobs.h"

namespace mapio::testing {

inline const Message kOverwriteQuestion{
    "config.xml file was found in this directory. Do you want to owerwrite it? If you choose NO, "
    "operation will be aborted.",
    "ALERT: replace file?", MessageKind::Question};

inline Message SuccessMessage(unsigned added) {
  return {"Success! " + std::to_string(added) + " files added in XML file!", "Success!",
          MessageKind::Information};
}

// Header, the record lines (without their "\t\t" and line end), trailer.
inline std::string MappingFile(const std::vector<std::string>& records) {
  std::string text(MappingHeader);
  for (const std::string& r : records) text += "\t\t" + r + "\n";
  return text + std::string(MappingTrailer);
}

inline std::string FaceRecord(std::string_view name, std::string_view id) {
  return "<record from=\"" + std::string(name) + "\" to=\"graphics/pictures/person/" +
         std::string(id) + "/portrait\"/>";
}

inline std::string KitRecord(std::string_view name, std::string_view id, std::string_view kind) {
  return "<record from=\"" + std::string(name) + "\" to=\"graphics/pictures/team/" +
         std::string(id) + "/kits/" + std::string(kind) + "\"/>";
}

class WriterTest : public ::testing::Test {
 protected:
  void Run(ObjectKind kind = Faces, bool idsFromNames = true, writer::MakeOptions options = {}) {
    settings.folderPath = folder.str();
    settings.objectKind = kind;
    settings.allFilenamesAreIds = idsFromNames;
    MakeMappingFile(settings, host, prompter, std::move(options));
  }
  void Files(const std::vector<std::string>& names) const {
    for (const std::string& n : names) folder.Write(n, "picture");
  }
  // config.xml as written, line ends as "\n" (CR LF on a Windows disk).
  std::string Written() const { return folder.ReadText("config.xml"); }
  void Answer(std::optional<KitAnswer> answer) { prompter.answers.push_back(answer); }

  TempFolder folder;
  FakeHost host;
  ScriptedPrompter prompter;
  JobSettings settings;
};

}  // namespace mapio::testing
