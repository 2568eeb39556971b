#include "scan/why_report.h"

#include "checker/report.h"
#include "core/counted.h"
#include "core/shown_text.h"
#include "scan/scan_report.h"

namespace mapio::scan {

namespace {

using pack::Picture;

std::string Shown(std::string_view text) {
  std::string out;
  AppendShown(out, text);
  return out;
}

std::string Look(const WhyRecord& r) {
  std::string look;
  if (r.width != 0)
    look = std::string(": ").append(r.format) + ", " + std::to_string(r.width) + "x" +
           std::to_string(r.height);
  else if (!r.format.empty())
    look = std::string(": ").append(r.format);
  return look;
}

std::string PictureLine(const WhyRecord& r, std::string_view id) {
  const std::string from = Shown(r.from);
  switch (r.picture) {
    case Picture::Found:
      return std::string("picture ").append(Shown(r.files.front())) + ": found" + Look(r);
    case Picture::OtherCase: {
      std::string files;
      for (const std::string& file : r.files)
        files.append(files.empty() ? "" : ", ").append(Shown(file));
      return "picture " + files +
             ": found only in other letter case (the game finds it on Windows and macOS, Linux "
             "would not)" +
             Look(r);
    }
    case Picture::Translated:
      return "picture missing: no " + from + ".png, .jpg or .gif, but " + Shown(r.files.front()) +
             " is named after " + std::string(id) + ": the folder has been translated";
    case Picture::Missing:
      return "picture missing: no " + from + ".png, " + from + ".jpg or " + from + ".gif";
    case Picture::OutOfPack:
      return "picture not looked for: its folder leads out of the pack through a link";
    case Picture::NotLooked: break;
  }
  return "picture not looked for: the name leaves the pack's folder";
}

std::string Outcome(const WhyOutcome& outcome, const std::string& what) {
  const std::size_t n = outcome.records.size();
  if (n == 1)
    return what + (outcome.InOrder() ? ": mapped once, and its picture is in order"
                                     : ": mapped once, but not in order");
  bool plain = false;
  bool generated = false;
  for (const WhyRecord& r : outcome.records) (r.generatedId ? generated : plain) = true;
  if (plain && generated)
    return what + ": mapped by " + Counted(n, "record") +
           ", in plain and r- form: each game edition takes one form, and shows one picture "
           "for it";
  return what + ": mapped by " + Counted(n, "record") +
         ": the game shows only one of their pictures";
}

}  // namespace

std::string NotAnIdText(std::string_view typed) {
  std::string text = "'";
  AppendShown(text, typed);
  return text + "' is no ID (such as 2000123 or r-2000123)";
}

std::string WhatIsAsked(ObjectKind kind, std::string_view id) {
  return std::string(KindOf(kind).cliName) + " " + std::string(id);
}

std::string WhyText(const WhyOutcome& outcome, ObjectKind kind, std::string_view id) {
  const std::string what = WhatIsAsked(kind, id);
  std::string text;
  for (const WhyRecord& r : outcome.records) {
    text += Shown(MappingFileOf(r.pack)) + ":" + std::to_string(r.line) + ": from=\"" +
            Shown(r.from) + "\" to=\"" + Shown(r.to) + "\" (" +
            (r.generatedId ? "r- ID" : "plain ID") + ")\n";
    text += std::string("  ").append(PictureLine(r, id)) + "\n";
    for (const checker::Finding& f : r.findings) {
      text += "  ";
      checker::AppendFindingLineBelow(r.pack, f, text);
      text += "\n";
    }
  }
  if (outcome.records.empty()) {
    text += "no pack maps " + what + "\n";
    for (const std::string& file : outcome.unmapped)
      text += Shown(file) + ": named after the ID, but no record maps it\n";
  } else {
    text += Outcome(outcome, what) + "\n";
  }
  for (const std::string& folder : outcome.unreadable) text += UnreadableLine(folder) + "\n";
  return text;
}

}  // namespace mapio::scan
