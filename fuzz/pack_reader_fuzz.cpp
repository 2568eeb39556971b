// The one-pass reader of config.xml against the full XML parser: whatever
// it accepts, the parser accepts and reads the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/pack_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string onePass, viaParser;
  if (mapio::pack::ReadBothWays(text, onePass, viaParser) && onePass != viaParser) {
    std::fprintf(stderr, "one pass:\n%s\nparser:\n%s\n", onePass.c_str(), viaParser.c_str());
    std::abort();
  }
  return 0;
}
