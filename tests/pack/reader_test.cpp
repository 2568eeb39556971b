// The one-pass reader against a full XML parser: on files near real packs,
// whatever it accepts the parser accepts too, and both read the same.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pack/pack_file.h"
#include "pack/pack_file_parts.h"
#include "pack/xml_scan.h"
#include "tests/support/mutator.h"
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

TEST(PackReader, OnePassReadsWhatTheParserReads) {
  testing::Mutator mutator(
      20261209, "<>/=\"'!?-[]& \n\r\tarl",
      {"<!--", "-->", "<![CDATA[", "]]>", "<?", "?>", "</list>", "<list id=\"maps\">", "<record ",
       "</record>", "/>", "&amp;", "&", "<!DOCTYPE x>"});
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
