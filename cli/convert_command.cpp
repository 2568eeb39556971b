#include "cli/convert_command.h"

#include <ostream>

#include "cli/cli.h"
#include "cli/folder_argument.h"
#include "convert/convert_texts.h"

namespace mapio::cli {

int RunConvert(const CliRequest& request, std::ostream& out, std::ostream& err) {
  convert::ConvertOptions options;
  if (request.kindGiven) options.kind = request.objectKind;
  options.to = request.toGenerated ? convert::IdStyle::Generated : convert::IdStyle::Plain;
  options.ids = request.ids;
  options.dryRun = request.dryRun;
  bool trouble = false;
  for (const std::string& folder : request.folders) {
    const std::optional<std::string> path = FolderArgument(folder, err);
    if (!path) {
      trouble = true;
      continue;
    }
    const convert::ConvertOutcome o = convert::ConvertIds(*path, options);
    switch (o.result) {
      case convert::ConvertOutcome::Result::Converted:
        out << folder << ": " << convert::ConvertedText(o, options.to, request.dryRun) << '\n';
        if (request.dryRun) {
          for (const auto& [before, after] : o.examples)
            out << "- " << before << "\n+ " << after << '\n';
        }
        break;
      case convert::ConvertOutcome::Result::NothingToConvert:
        out << folder << ": " << convert::NothingToConvertText(o) << '\n';
        break;
      case convert::ConvertOutcome::Result::NoFile:
      case convert::ConvertOutcome::Result::NoList:
      case convert::ConvertOutcome::Result::WriteFailed:
        trouble = true;
        err << folder << ": " << convert::ConvertFailureText(o) << '\n';
        break;
    }
  }
  out << std::flush;
  return trouble ? kExitTrouble : kExitOk;
}

}  // namespace mapio::cli
