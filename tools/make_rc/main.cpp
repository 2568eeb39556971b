// make_rc: prints the dialog resources of Mapio.exe as a resource script.
//   make_rc               the script on standard output
//   make_rc --check FILE  fails unless FILE holds exactly that script
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "tools/make_rc/rc_script.h"

namespace {

int Check(const std::string& script, const char* path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::cerr << "make_rc: cannot read " << path << "\n";
    return 1;
  }
  const std::string committed{std::istreambuf_iterator<char>(file), {}};
  if (committed == script) return 0;
  std::cerr << "make_rc: " << path << " does not match the dialog tables in res/.\n"
            << "Regenerate it with: make dialogs-rc\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const mapio::make_rc::RcText script = mapio::make_rc::DialogsScript();
  if (!script.error.empty()) {
    std::cerr << "make_rc: " << script.error << "\n";
    return 1;
  }
  if (argc == 3 && std::string_view(argv[1]) == "--check") return Check(script.text, argv[2]);
  if (argc != 1) {
    std::cerr << "usage: make_rc [--check FILE]\n";
    return 2;
  }
  std::cout << script.text;
  return std::cout.flush() ? 0 : 1;
}
