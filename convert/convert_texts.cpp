#include "convert/convert_texts.h"

#include "core/counted.h"
#include "core/mapping_messages.h"
#include "core/object_kind.h"

namespace mapio::convert {

namespace {

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

std::string_view IdStyleName(IdStyle style) {
  return style == IdStyle::Generated ? "r- IDs" : "plain IDs";
}

std::string ConvertedText(const ConvertOutcome& o, IdStyle to, bool dryRun) {
  return Counted(o.converted, "record") + " of " + std::string(KindOf(o.kind).cliName) +
         (dryRun ? " would be" : "") + " converted to " + std::string(IdStyleName(to)) + Kept(o);
}

std::string NothingToConvertText(const ConvertOutcome& o) {
  const std::string kind(KindOf(o.kind).cliName);
  return "nothing to convert: " +
         (o.alreadyInStyle + o.leftOut == 0 ? "no record is of " + kind
                                            : "no record of " + kind + " is in the other style") +
         Kept(o);
}

std::string ConvertFailureText(const ConvertOutcome& o) {
  switch (o.result) {
    case ConvertOutcome::Result::NoFile:
      if (o.readResult == platform::ReadResult::Missing) return "there is no config.xml to read";
      return std::string(ReadFailureText(o.readResult, o.utf16));
    case ConvertOutcome::Result::NoList:
      return "config.xml has no list of maps (<list id=\"maps\"> ... </list>)";
    case ConvertOutcome::Result::WriteFailed: return std::string(WriteFailureText(o.writeFailure));
    case ConvertOutcome::Result::Converted:
    case ConvertOutcome::Result::NothingToConvert: break;
  }
  return {};
}

}  // namespace mapio::convert
