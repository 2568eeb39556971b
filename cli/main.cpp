#include <unistd.h>

#include <iostream>

#include "cli/cli.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  mapio::platform::UseLargePages(argv);
  mapio::platform::StartupDirectory();
  std::ios::sync_with_stdio(false);
  return mapio::cli::RunCli(argc, argv, std::cin, std::cout, std::cerr, isatty(0) != 0,
                            isatty(2) != 0);
}
