// The terminal's progress line and its lines.
#include <sstream>

#include <gtest/gtest.h>

#include "cli/terminal.h"
#include "tests/cli/cli_run.h"
#include "tests/support/temp_folder.h"

namespace mapio::testing {
namespace {

using cli::Clock;
using cli::Terminal;

struct ProgressFixture {
  explicit ProgressFixture(bool progress) {
    cli::TerminalOptions options;
    options.progress = progress;
    options.now = [this] { return now; };
    host = std::make_unique<Terminal>(in, out, err, options);
    host->JobStarted();
  }
  // `count` reports of the same number of files, `elapsed` after the job
  // started, as a reporter that calls for every file sends them.
  void Report(std::uint64_t count, std::chrono::milliseconds elapsed, std::uint64_t done = 0) {
    now = start + elapsed;
    for (std::uint64_t i = 0; i < count; ++i)
      host->Progress({JobProgress::Phase::Writing, done, 1000});
  }
  Clock::time_point start{};
  Clock::time_point now{};
  std::istringstream in;
  std::ostringstream out, err;
  std::unique_ptr<Terminal> host;
};

TEST(CliProgress, ShownOnlyAfterHalfASecondAndClearedBeforeMessages) {
  ProgressFixture f(true);
  f.Report(768, std::chrono::milliseconds(100), 5);
  EXPECT_EQ(f.err.str(), "");

  f.Report(256, std::chrono::milliseconds(600), 256);
  EXPECT_EQ(f.err.str(), "\rWriting: 256/1000 files\x1b[K");

  f.host->Say("Success! 256 files added in XML file!");
  EXPECT_EQ(f.err.str(), "\rWriting: 256/1000 files\x1b[K\r\x1b[K");
  EXPECT_EQ(f.out.str(), "Success! 256 files added in XML file!\n");

  // A new job starts its own delay.
  f.err.str("");
  f.start = f.now;
  f.host->JobStarted();
  f.Report(512, std::chrono::milliseconds(100));
  EXPECT_EQ(f.err.str(), "");
}

TEST(CliProgress, ShownForReportersThatReportRarely) {
  ProgressFixture f(true);
  f.Report(1, std::chrono::milliseconds(100), 4096);
  EXPECT_EQ(f.err.str(), "");
  f.Report(1, std::chrono::milliseconds(700), 8192);
  EXPECT_EQ(f.err.str(), "\rWriting: 8192/1000 files\x1b[K");
}

TEST(CliProgress, NeverWhenSwitchedOff) {
  ProgressFixture f(false);
  f.Report(5000, std::chrono::seconds(5));
  EXPECT_EQ(f.err.str(), "");
}

TEST(CliProgress, NoProgressLineWhenStderrIsNoTerminalOrQuiet) {
  TempFolder folder;
  for (int i = 0; i < 300; ++i) folder.Write(std::to_string(i) + ".png");
  for (auto args : {std::vector<std::string>{"make", "-n", folder.str()},
                    {"make", "-n", "-y", "-q", folder.str()}}) {
    CliRun run = RunCliWith(args, "", /*stderrIsTerminal=*/args.size() == 5);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err.find('\r'), std::string::npos);
  }
}

}  // namespace
}  // namespace mapio::testing
