#include "cli/convert_command.h"

#include <ostream>

#include "cli/cli.h"
#include "platform/platform.h"
#include "core/mapping_messages.h"
#include "core/object_kind.h"

namespace mapio::cli {
namespace {

std::string Records(std::size_t n) { return std::to_string(n) + (n == 1 ? " record" : " records"); }

// What stayed as it was, and why: only the reasons that apply.
std::string Kept(const ConvertOutcome& o) {
  std::string text;
  const auto add = [&text](std::size_t n, const char* why) {
    if (n == 0) return;
    text += (text.empty() ? " (" : ", ") + std::to_string(n) + " " + why;
  };
  add(o.alreadyInStyle, "already so");
  add(o.leftOut, "not among the IDs asked for");
  add(o.otherKinds, "of other kinds");
  add(o.fixed, "with no ID");
  add(o.unchangeable, "written with entities, left as they are");
  return text.empty() ? text : text + ")";
}

}  // namespace

int RunConvert(const CliRequest& request, std::ostream& out, std::ostream& err) {
  ConvertOptions options;
  if (request.kindGiven) options.kind = request.objectKind;
  options.to = request.toGenerated ? IdStyle::Generated : IdStyle::Plain;
  options.ids = request.ids;
  options.dryRun = request.dryRun;
  const std::string style = request.toGenerated ? "r- IDs" : "plain IDs";
  bool trouble = false;
  for (const std::string& folder : request.folders) {
    const ConvertOutcome o = ConvertIds(platform::AbsolutePath(folder), options);
    const std::string kind(KindOf(o.kind).cliName);
    switch (o.result) {
      case ConvertOutcome::Result::Converted:
        out << folder << ": " << Records(o.converted) << " of " << kind
            << (request.dryRun ? " would be" : "") << " converted to " << style << Kept(o) << '\n';
        if (request.dryRun) {
          for (const auto& [before, after] : o.examples)
            out << "- " << before << "\n+ " << after << '\n';
        }
        break;
      case ConvertOutcome::Result::NothingToConvert:
        out << folder << ": nothing to convert: "
            << (o.alreadyInStyle + o.leftOut == 0
                    ? "no record is of " + kind
                    : "no record of " + kind + " is in the other style")
            << Kept(o) << '\n';
        break;
      case ConvertOutcome::Result::NoFile:
        trouble = true;
        if (o.readResult == platform::ReadResult::Missing)
          err << folder << ": there is no config.xml to read\n";
        else
          err << folder << ": " << ReadFailureText(o.readResult, o.utf16) << '\n';
        break;
      case ConvertOutcome::Result::NoList:
        trouble = true;
        err << folder << ": config.xml has no list of maps (<list id=\"maps\"> ... </list>)\n";
        break;
      case ConvertOutcome::Result::WriteFailed:
        trouble = true;
        err << folder << ": " << WriteFailureText(o.writeFailure) << '\n';
        break;
    }
  }
  out << std::flush;
  return trouble ? kExitTrouble : kExitOk;
}

}  // namespace mapio::cli
