// Files the editor must save byte for byte as it opened them, for the
// windows' tests: their component holds the bytes.
#pragma once

#include <string>
#include <vector>

namespace mapio::testing {

struct EditorFile {
  std::string name;
  std::string bytes;
};

inline std::vector<EditorFile> EditorFiles() {
  return {
      {"CR LF", "<record>\r\n\t<list id=\"maps\"/>\r\n</record>\r\n"},
      {"LF", "<record>\n\t<list id=\"maps\"/>\n</record>\n"},
      {"mixed", "a\r\nb\nc\rd\r\n\n"},
      {"no last line end", "<record>\r\n</record>"},
      {"byte-order mark", "\xef\xbb\xbf<record from=\"caf\xc3\xa9\"/>\r\n"},
      {"Windows-1252", "<record from=\"caf\xe9 \x80\x81\x9d\xff\"/>\r\n"},
      {"UTF-8 and bytes that are not", "caf\xc3\xa9 \xc3 \xed\xa0\x80 \xf0\x9f\x98\x80\n"},
      {"NUL", std::string("nul\0byte\r\n\0", 12)},
      {"empty", ""},
      {"over a piece of reading", std::string(1 << 20, 'x') + "\r\n" + std::string(99, 'y')},
  };
}

}  // namespace mapio::testing
