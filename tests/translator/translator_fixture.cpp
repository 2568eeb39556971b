#include "tests/translator/translator_fixture.h"

#include <filesystem>

#include "core/record_template.h"
#include "translator/mapping_translator.h"

namespace mapio::testing {

std::string FaceRecord(const std::string& from, const std::string& id) {
  return "<record from=\"" + from + "\" to=\"graphics/pictures/person/" + id + "/portrait\"/>";
}

std::string ConfigWith(const std::vector<std::string>& records) {
  std::string text(MappingHeader);
  for (const auto& r : records) text += "\t\t" + r + "\n";
  return text + std::string(MappingTrailer);
}

std::string WithCrLf(const std::string& lfText) {
  std::string out;
  for (char c : lfText) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

Message ParseError() { return {"Error parsing XML file!", "", MessageKind::Warning}; }

Message RenameWarning(const std::string& from, const std::string& id) {
  return {"Warning: could not rename " + from + " to " + id, "Error", MessageKind::Warning};
}

Message Status(const std::string& renamedLines, int renamed, int total) {
  const std::string list = renamedLines.empty() ? "ZARRO files renamed!"
                                                : "The list of processed files:\n\n" + renamedLines;
  return {
      list + "\nRenamed " + std::to_string(renamed) + " of " + std::to_string(total) + " files.",
      "Status", MessageKind::Information};
}

Message ReadError() {
  return {
      "Mapio encountered error reading config.xml file!\n\nYou can try the following steps:\n\n"
      "* Open and save it with WordPad\n* Open it with Notepad and look for formating errors\n",
      "Error", MessageKind::Warning};
}

void PrintTo(const Message& m, std::ostream* os) {
  *os << "{\"" << m.text << "\", \"" << m.caption << "\", kind " << static_cast<int>(m.kind) << "}";
}

std::string TranslatorTest::JournalOfOneRename(const TempFolder& journals) {
  AddFiles({"a.png"});
  dir.Write("config.xml", ConfigWith({FaceRecord("a", "1")}));
  translator::TranslateOptions translate;
  translate.journal.folder = journals.str();
  translator::TranslateNames(dir.str(), translate);
  return journals.List().at(0);
}

void TranslatorTest::AddFiles(const std::vector<std::string>& names) const {
  for (const auto& n : names) dir.Write(n, n);
}

bool TranslatorTest::FolderIgnoresCase() const {
  dir.Write("CaseProbe");
  const bool ignores = dir.Exists("caseprobe");
  std::filesystem::remove(dir.path() / "CaseProbe");
  return ignores;
}

std::vector<std::string> TranslatorTest::State() const {
  std::vector<std::string> state;
  for (const auto& name : dir.List()) {
    if (name == "config.xml") continue;
    state.push_back(std::filesystem::is_directory(dir.path() / Utf8Path(name))
                        ? name + "/"
                        : name + "=" + dir.Read(name));
  }
  return state;
}

std::vector<Message> TranslatorTest::Run(const std::string& configText,
                                         std::optional<ObjectKind> kind, bool dryRun,
                                         const OnRename& onRename) {
  dir.Write("config.xml", configText);
  return RunAgain(kind, dryRun, onRename);
}

std::vector<Message> TranslatorTest::RunAgain(std::optional<ObjectKind> kind, bool dryRun,
                                              const OnRename& onRename) {
  host.messages.clear();
  JobSettings settings;
  settings.folderPath = dir.str();
  settings.objectKind = kind;
  settings.action = Action::Translate;
  translator::TranslateOptions options;
  options.dryRun = dryRun;
  TranslateFileNames(settings, host, options, onRename);
  return host.messages;
}

}  // namespace mapio::testing
