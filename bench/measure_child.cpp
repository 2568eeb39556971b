// Runs one program and writes "SECONDS MAXRSS_KB USER SYS" to REPORT: wall
// seconds, peak, and the CPU seconds it spent in its own code and in the
// kernel. A child forked straight from Python would report Python's own
// peak as its ru_maxrss (the peak survives exec); forked from this small
// program it reports its own.
// Usage: measure_child REPORT PROGRAM [ARG...]; exits with the program's status.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: measure_child REPORT PROGRAM [ARG...]\n");
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid < 0) return 127;
  if (pid == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return 127;
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  std::FILE* report = std::fopen(argv[1], "w");
  if (report == nullptr) return 127;
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  std::fprintf(report, "%.6f %ld %.6f %.6f\n", elapsed.count(), usage.ru_maxrss,
               seconds(usage.ru_utime), seconds(usage.ru_stime));
  std::fclose(report);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
