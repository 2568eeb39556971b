// A pack's reading as text, to compare the one-pass reader with the full
// parser (in the tests and the fuzz target).
#pragma once

#include <string>
#include <string_view>

#include "pack/pack_file.h"
#include "pack/pack_file_parts.h"
#include "pack/xml_scan.h"

namespace mapio::pack {

inline std::string Describe(const PackFile& pack) {
  std::string out = pack.wellFormed ? "well-formed" : "not well-formed";
  out += pack.listFound ? ", list" : ", no list";
  out += ", end " + std::to_string(pack.listEnd) + "\n";
  for (const Record& r : pack.records) {
    out += std::to_string(r.begin) + "-" + std::to_string(r.end) + " lines " +
           std::to_string(r.line) + "-" + std::to_string(r.lastLine) + " [" + std::string(r.from) +
           "] [" + std::string(r.to) + "] to@" + std::to_string(r.toValue) + " form " +
           std::to_string(static_cast<int>(r.target.form)) + " kind " +
           std::to_string(IndexOf(r.target.kind)) + "\n";
  }
  for (const Problem& p : pack.problems)
    out += "problem " + std::to_string(static_cast<int>(p.kind)) + " line " +
           std::to_string(p.line) + " column " + std::to_string(p.column) + " " + p.text + "\n";
  return out;
}

// False when the one pass leaves `text` to the parser; else both readings.
inline bool ReadBothWays(std::string_view text, std::string& onePass, std::string& viaParser) {
  struct Ignore : XmlListVisitor {
    void Restart() override {}
    void Child(const XmlChild&) override {}
  } ignore;
  if (!ScanPackXml(text, ignore).accepted) return false;
  PackFile parsed;
  parsed.bytes = text;
  parsed.lines = LineIndex(parsed.bytes);
  ReadWithParser(parsed);
  if (!parsed.listFound) parsed.problems.push_back({Problem::Kind::NoList, 0, 0, {}});
  viaParser = Describe(parsed);
  onePass = Describe(ParsePackFile(std::string(text)));
  return true;
}

}  // namespace mapio::pack
