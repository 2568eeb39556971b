#include <unistd.h>

#include <iostream>
#include <string_view>

#include "cli/cli.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  // Translate is bound by its renames: huge pages would only round its
  // memory up.
  if (argc < 2 || std::string_view(argv[1]) != "translate") mapio::platform::UseLargePages(argv);
  mapio::platform::StartupDirectory();
  std::ios::sync_with_stdio(false);
  return mapio::cli::RunCli(argc, argv, std::cin, std::cout, std::cerr, isatty(0) != 0,
                            isatty(2) != 0);
}
