#include <unistd.h>

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  // Translate is bound by its renames: huge pages would only round its
  // memory up.
  if (argc < 2 || std::string_view(argv[1]) != "translate") mapio::platform::UseLargePages(argv);
  mapio::platform::UseUtf8Console();
  // Folder names in any script, whatever the system's code page.
  const std::vector<std::string> arguments = mapio::platform::Utf8Arguments(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  pointers.push_back(nullptr);
  std::ios::sync_with_stdio(false);
  return mapio::cli::RunCli(static_cast<int>(arguments.size()), pointers.data(), std::cin,
                            std::cout, std::cerr, isatty(0) != 0, isatty(2) != 0);
}
