// The one-pass reader against a full XML parser: on files near real packs,
// whatever it accepts the parser accepts too, and both read the same.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "pack/pack_file.h"
#include "pack/pack_file_parts.h"
#include "pack/xml_scan.h"
#include "tests/support/pack_text.h"

namespace mapio::pack {
namespace {

const char* const kSamples[] = {
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- pack -->\n<record>\n"
    "\t<boolean id=\"amap\" value=\"false\"/>\n\t<list id=\"maps\">\n"
    "\t\t<!-- Auto generated -->\n"
    "\t\t<record from=\"a&amp;b\" to=\"graphics/pictures/person/1/portrait\"/>\n"
    "\t\t<record to='graphics/pictures/club/r-2/icon' from = \"c\" filter=\"x\" />\r\n"
    "\t\t<record from=\"d\"\n to=\"graphics/pictures/team/3/kits/away\"></record>\n"
    "\t\tgarbage <![CDATA[ x ]]>\n"
    "\t\t<record from=\"e\" to=\"x\"><sub/></record><?pi a?>\n"
    "\t</list>\n</record>\n<!-- </list> -->",
    "<record><list id=\"other\"><list id=\"maps\"><record from=\"deep\" to=\"t\"/></list></list>"
    "<list id=\"maps\"><record from=\"top\" to=\"graphics/backgrounds/club/7\"/></list></record>",
    "<list id=\"maps\"><record from=\"x&#9;y\" to=\"graphics/pictures/nation/4/logo\"/></list>",
};

class Mutator {
 public:
  explicit Mutator(unsigned seed) : rng_(seed) {}

  std::string Mutate(std::string text) {
    const int count = static_cast<int>(rng_() % 4);
    for (int i = 0; i < count; ++i) {
      const std::size_t at = text.empty() ? 0 : rng_() % (text.size() + 1);
      switch (rng_() % 4) {
        case 0:
          if (at < text.size()) text.erase(at, 1 + rng_() % 3);
          break;
        case 1: text.insert(at, 1, Pick()); break;
        case 2: text.insert(at, kPieces[rng_() % std::size(kPieces)]); break;
        default:
          if (at < text.size()) text[at] = Pick();
          break;
      }
    }
    return text;
  }

 private:
  static constexpr const char* kPieces[] = {
      "<!--",     "-->",         "<![CDATA[", "]]>",
      "<?",       "?>",          "</list>",   "<list id=\"maps\">",
      "<record ", "</record>",   "/>",        "&amp;",
      "&",        "<!DOCTYPE x>"};
  char Pick() {
    static const char kAlphabet[] = "<>/=\"'!?-[]& \n\r\tarl";
    return kAlphabet[rng_() % (sizeof kAlphabet - 1)];
  }
  std::mt19937 rng_;
};

TEST(PackReader, OnePassReadsWhatTheParserReads) {
  Mutator mutator(20261209);
  int accepted = 0;
  int disagreements = 0;
  for (const char* sample : kSamples) {
    for (int i = 0; i < 6000 && disagreements < 5; ++i) {
      const std::string text = i == 0 ? sample : mutator.Mutate(sample);
      std::string onePass, viaParser;
      if (!ReadBothWays(text, onePass, viaParser)) continue;
      ++accepted;
      if (onePass != viaParser) {
        ++disagreements;
        ADD_FAILURE() << "file [" << text << "]\none pass:\n"
                      << onePass << "parser:\n"
                      << viaParser;
      }
    }
  }
  // Most mutations still leave a file the one pass takes.
  EXPECT_GT(accepted, 4000);
}

}  // namespace
}  // namespace mapio::pack
