// Runs mapio-cli in-process with string streams.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace mapio::testing {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline CliRun RunCliWith(std::vector<std::string> args, const std::string& input = {},
                         bool stderrIsTerminal = false) {
  args.insert(args.begin(), "mapio-cli");
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  std::istringstream in(input);
  std::ostringstream out, err;
  CliRun run;
  run.status = cli::RunCli(static_cast<int>(args.size()), argv.data(), in, out, err,
                           /*stdinIsTerminal=*/false, stderrIsTerminal);
  run.out = out.str();
  run.err = err.str();
  return run;
}

}  // namespace mapio::testing
