// What the two editor benches share (make bench-editor): the sizes and
// targets, the config.xml they open, the line each measuring child prints
// and the table the parent makes of them. Each size runs in a fresh child
// process, so that each peak is its own.
//   open:   from the job's start until the editor shows the file scrolled
//           to its end and painted;
//   save:   from the confirmed save until the file is written;
//   scroll: the slowest of a series of jumps and page steps, each painted;
//   peak:   the process's peak memory above what an empty editor window
//           takes, against the file's size.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/job_host.h"

namespace mapio::bench {

// The job's host: the settings it is given, and any message on stderr.
struct QuietHost : JobHost {
  JobSettings controls;
  bool PullSettings(JobSettings& s) override {
    s = controls;
    return true;
  }
  void PushSettings(const JobSettings&) override {}
  MessageButton ShowMessage(std::string_view text, std::string_view, MessageKind) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
    return MessageButton::Ok;
  }
};

struct Size {
  int records;
  double openTarget;  // seconds
  double saveTarget;  // seconds
};
// 16 MB and 48 MB.
constexpr Size kSizes[] = {{200000, 0.30, 0.15}, {600000, 1.0, 0.45}};
constexpr double kMemoryTarget = 2.0;       // times the file, above an empty editor
constexpr double kScrollTarget = 1.0 / 60;  // seconds for one painted step
constexpr double kScalingTolerance = 1.25;  // over the sizes' ratio, for noise

// FNV-1a, to tell the saved file from the written one without holding it.
struct Digest {
  std::uint64_t value = 14695981039346656037u;
  void Add(std::string_view bytes) {
    for (const char c : bytes) value = (value ^ static_cast<unsigned char>(c)) * 1099511628211u;
  }
};

// A config.xml of `records` records with CR LF line ends; its digest.
inline std::uint64_t WriteConfig(const std::filesystem::path& path, int records) {
  std::ofstream out(path, std::ios::binary);
  Digest digest;
  const auto put = [&](const std::string& s) {
    out << s;
    digest.Add(s);
  };
  put("<record>\r\n\t<list id=\"maps\">\r\n");
  for (int i = 0; i < records; ++i) {
    const std::string id = std::to_string(10000000 + i);
    put("\t\t<record from=\"Player " + id + "\" to=\"graphics/pictures/person/" + id +
        "/portrait\"/>\r\n");
  }
  put("\t</list>\r\n</record>");
  return digest.value;
}

inline std::uint64_t FileDigest(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> buffer(1 << 16);
  Digest digest;
  while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
    digest.Add(std::string_view(buffer.data(), static_cast<std::size_t>(in.gcount())));
  }
  return digest.value;
}

// The page steps at the end and the jumps across a text of `lines` lines
// with `page` lines in view, as a user scrolling through it would make.
inline std::vector<int> ScrollTargets(int lines, int page) {
  const int end = std::max(0, lines - page);
  std::vector<int> targets{0, end / 2, end / 4, end * 3 / 4, end};
  for (int step = 1; step <= 20; ++step) targets.push_back(std::max(0, end - step * page));
  targets.push_back(end);
  return targets;
}

struct Result {
  double fileMb = 0, open = -1, openCpu = -1, save = -1, saveCpu = -1, scroll = -1, peakAbove = 0;
  int same = 0;
};

// The child's one line: "MB OPEN OPEN_CPU SAVE SAVE_CPU SCROLL PEAK_ABOVE SAME".
inline void PrintResult(const Result& r) {
  std::printf("%.3f %.4f %.4f %.4f %.4f %.4f %.3f %d\n", r.fileMb, r.open, r.openCpu, r.save,
              r.saveCpu, r.scroll, r.peakAbove, r.same);
  std::fflush(stdout);
}

// The child's end: whether the saved file is the one written, the folder
// gone, the line printed.
inline void EndChild(Result& r, const std::filesystem::path& folder, std::uint64_t written) {
  r.same = FileDigest(folder / "config.xml") == written ? 1 : 0;
  std::filesystem::remove_all(folder);
  PrintResult(r);
}

inline bool ReadResult(std::FILE* child, Result& r) {
  return std::fscanf(child, "%lf %lf %lf %lf %lf %lf %lf %d", &r.fileMb, &r.open, &r.openCpu,
                     &r.save, &r.saveCpu, &r.scroll, &r.peakAbove, &r.same) == 8 &&
         r.open >= 0;
}

inline const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

// Measures every size through `measure` (a child process each), prints the
// table; true when every target is met.
inline bool RunSizes(const char* window, const std::function<bool(int, Result&)>& measure) {
  bool allMet = true;
  std::vector<Result> results;
  std::printf(
      "editor (%s): targets open <= %.2f s / %.2f s, save <= %.2f s / %.2f s, peak <= %.0fx "
      "the file above an empty editor, scroll steps <= %.1f ms\n"
      "  (the targets are wall times; cpu is the process's own, which a busy machine does not "
      "inflate)\n",
      window, kSizes[0].openTarget, kSizes[1].openTarget, kSizes[0].saveTarget,
      kSizes[1].saveTarget, kMemoryTarget, kScrollTarget * 1000);
  std::printf("  %7s %8s %7s %7s %7s %7s %9s %8s %6s  %s\n", "records", "size MB", "open s",
              "(cpu)", "save s", "(cpu)", "scroll ms", "peak+ MB", "x file", "targets");
  for (const Size& size : kSizes) {
    Result r;
    if (!measure(size.records, r)) {
      std::printf("  %7d: the measuring child failed\n", size.records);
      allMet = false;
      continue;
    }
    const double times = r.peakAbove / r.fileMb;
    const bool met = r.same == 1 && r.open <= size.openTarget && r.save <= size.saveTarget &&
                     r.scroll <= kScrollTarget && times <= kMemoryTarget;
    allMet = allMet && met;
    std::printf("  %7d %8.1f %7.3f %7.3f %7.3f %7.3f %9.1f %8.0f %6.2f  %s%s\n", size.records,
                r.fileMb, r.open, r.openCpu, r.save, r.saveCpu, r.scroll * 1000, r.peakAbove, times,
                Verdict(met), r.same == 1 ? "" : " (saved file differs)");
    results.push_back(r);
  }
  if (results.size() == 2) {
    const Result& small = results[0];
    const Result& large = results[1];
    const double sizeRatio = large.fileMb / small.fileMb;
    const double limit = sizeRatio * kScalingTolerance;
    const bool linear = large.open / small.open <= limit && large.save / small.save <= limit &&
                        large.peakAbove / small.peakAbove <= limit;
    allMet = allMet && linear;
    std::printf("  scaling for %.1fx the size: open %.1fx, save %.1fx, peak %.1fx  %s\n", sizeRatio,
                large.open / small.open, large.save / small.save, large.peakAbove / small.peakAbove,
                Verdict(linear));
  }
  std::fflush(stdout);
  return allMet;
}

}  // namespace mapio::bench
