// The native window's mapping editor on large config.xml files, run under
// Wine by make bench-editor (what it measures: editor_bench_common.h). Each
// size runs in a fresh child process. Exits nonzero when a target is missed.
#include <windows.h>

#include <Scintilla.h>
#include <fcntl.h>
#include <io.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "bench/editor_bench_common.h"
#include "res/control_ids.h"
#include "ui/job_host.h"
#include "ui/mapping_editor.h"
#include "ui/win32/dialog.h"
#include "ui/win32/edit_dialog.h"

namespace {

using mapio::bench::QuietHost;
using mapio::bench::Result;
using mapio::win32::Dialog;

// The editor driven from inside its loop; the save is confirmed.
struct Driver : mapio::win32::Dialogs {
  std::function<void(Dialog&)> opened;
  mapio::MessageButton ShowMessage(HWND, std::string_view, std::string_view,
                                   mapio::MessageKind) override {
    return mapio::MessageButton::Ok;
  }
  std::string BrowseForFolder(HWND) override { return {}; }
  void Opened(Dialog& dialog) override { opened(dialog); }
};

double PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0;
}

double CpuSeconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  const auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) |
                               t.dwLowDateTime) /
           1e7;
  };
  return seconds(kernel) + seconds(user);
}

class Clock {
 public:
  Clock() { QueryPerformanceFrequency(&frequency_); }
  void Restart() { QueryPerformanceCounter(&start_); }
  double Seconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER start_{};
};

// Painted now, not when the loop next gets round to it.
void Paint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
}

double SlowestScrollStep(HWND box) {
  const auto lines = static_cast<int>(SendMessageW(box, SCI_GETLINECOUNT, 0, 0));
  const auto page = static_cast<int>(SendMessageW(box, SCI_LINESONSCREEN, 0, 0));
  double slowest = 0;
  Clock clock;
  for (const int target : mapio::bench::ScrollTargets(lines, page)) {
    clock.Restart();
    SendMessageW(box, SCI_SETFIRSTVISIBLELINE, static_cast<WPARAM>(target), 0);
    Paint(box);
    slowest = std::max(slowest, clock.Seconds());
  }
  return slowest;
}

int MeasureOne(int records) {
  const auto folder = std::filesystem::temp_directory_path() /
                      ("mapio-editor-bench-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(folder);
  const std::uint64_t written = mapio::bench::WriteConfig(folder / "config.xml", records);
  Result r;
  r.fileMb = static_cast<double>(std::filesystem::file_size(folder / "config.xml")) / 1048576.0;
  // What any window takes (libraries, fonts): an empty editor, shown and
  // painted, before the file is opened.
  Driver driver;
  driver.opened = [](Dialog& editor) {
    ShowWindow(editor.hwnd(), SW_SHOW);
    Paint(editor.hwnd());
    EndDialog(editor.hwnd(), IDCANCEL);
  };
  {
    mapio::win32::Win32EditorView view(driver, nullptr);
    const auto empty = view.NewText(0, true);
    view.Edit(*empty, mapio::ui::LookOf(""), 0);
  }
  const double baseline = PeakMegabytes();

  Clock clock;
  double cpuMark = 0;
  driver.opened = [&](Dialog& editor) {
    HWND box = editor.Item(mapio::res::kXmlTextBox);
    // The dialog's loop shows it once it has nothing else to do: now.
    ShowWindow(editor.hwnd(), SW_SHOW);
    SendMessageW(box, SCI_SETFIRSTVISIBLELINE, static_cast<WPARAM>(records + 10), 0);
    Paint(editor.hwnd());
    r.open = clock.Seconds();
    r.openCpu = CpuSeconds() - cpuMark;
    r.scroll = SlowestScrollStep(box);
    cpuMark = CpuSeconds();
    clock.Restart();
    SendMessageW(editor.Item(mapio::res::kSaveButton), BM_CLICK, 0, 0);
  };
  QuietHost host;
  host.controls.folderPath = folder.string();
  mapio::JobSettings settings;
  mapio::win32::Win32EditorView view(driver, nullptr);
  cpuMark = CpuSeconds();
  clock.Restart();
  mapio::ui::MappingEditor(host, settings, view);
  r.save = clock.Seconds();
  r.saveCpu = CpuSeconds() - cpuMark;
  r.peakAbove = PeakMegabytes() - baseline;
  mapio::bench::EndChild(r, folder, written);
  return 0;
}

bool RunChild(const std::wstring& self, int records, Result& r) {
  const std::wstring command = L"\"\"" + self + L"\" --records " + std::to_wstring(records) + L"\"";
  std::FILE* child = _wpopen(command.c_str(), L"r");
  if (child == nullptr) return false;
  const bool read = mapio::bench::ReadResult(child, r);
  return _pclose(child) == 0 && read;
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // lines end in LF, as the other bench's
  if (argc == 3 && std::string(argv[1]) == "--records") return MeasureOne(std::atoi(argv[2]));
  std::wstring self(MAX_PATH, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  return mapio::bench::RunSizes("native window, Wine",
                                [&](int records, Result& r) { return RunChild(self, records, r); })
             ? 0
             : 1;
}
