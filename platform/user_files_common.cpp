#include "platform/user_files.h"

#include <chrono>
#include <cstdio>

namespace mapio::platform {

namespace {

// Large enough that a journal of half a million renames takes a few dozen writes.
constexpr std::size_t kGather = 1 << 20;

}  // namespace

std::time_t Now() { return std::time(nullptr); }

// Counted from the epoch, not by the C library, whose UTC call has another
// name on each system.
std::string TimeText(std::time_t when) {
  using namespace std::chrono;
  const sys_seconds at{seconds{when}};
  const sys_days day = floor<days>(at);
  const year_month_day date{day};
  const hh_mm_ss time{at - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

AppendFile::~AppendFile() { Close(); }

bool AppendFile::Create(const std::string& path) {
  file_ = detail::OpenAppendFile(path, true);
  good_ = file_ != nullptr;
  return good_;
}

bool AppendFile::Open(const std::string& path) {
  file_ = detail::OpenAppendFile(path, false);
  good_ = file_ != nullptr;
  return good_;
}

void AppendFile::Write(std::string_view data) {
  if (!Good()) return;
  buffer_.append(data);
  if (buffer_.size() >= kGather) Flush();
}

bool AppendFile::Flush() {
  if (!Good()) return false;
  if (!buffer_.empty() &&
      (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size() ||
       std::fflush(file_) != 0))
    good_ = false;
  buffer_.clear();
  return good_;
}

void AppendFile::DropForTesting() {
  buffer_.clear();
  Close();
}

bool AppendFile::Close() {
  if (file_ == nullptr) return false;
  const bool flushed = Flush();
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return flushed && closed;
}

}  // namespace mapio::platform
