#include "platform/user_files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace mapio::platform {

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
  handle_ = detail::OpenAppendFile(path, true);
  good_ = handle_ != kNoHandle;
  end_ = 0;
  return good_;
}

bool AppendFile::Open(const std::string& path) {
  handle_ = detail::OpenAppendFile(path, false);
  good_ = handle_ != kNoHandle;
  if (!good_) return false;
  const std::optional<std::uint64_t> size = detail::AppendFileSize(handle_);
  if (!size) {
    good_ = false;
    return false;
  }
  // Back from the end to the last line end, a block at a time.
  char block[4096];
  std::uint64_t to = *size;
  end_ = 0;
  while (to > 0) {
    const std::uint64_t from = to > sizeof block ? to - sizeof block : 0;
    const std::size_t length = static_cast<std::size_t>(to - from);
    if (detail::ReadAppendFile(handle_, from, block, length) !=
        static_cast<std::ptrdiff_t>(length)) {
      good_ = false;
      return false;
    }
    const std::string_view text(block, length);
    if (const std::size_t last = text.rfind('\n'); last != std::string_view::npos) {
      end_ = from + last + 1;
      break;
    }
    to = from;
  }
  return true;
}

void AppendFile::Write(std::string_view data) {
  while (!data.empty() && Good()) {
    if (window_ == nullptr || end_ >= windowAt_ + kWindow) {
      if (!Slide()) return;
    }
    const std::size_t at = static_cast<std::size_t>(end_ - windowAt_);
    const std::size_t length = std::min(data.size(), kWindow - at);
    std::memcpy(window_ + at, data.data(), length);
    end_ += length;
    data.remove_prefix(length);
  }
}

bool AppendFile::Slide() {
  Unmap();
  windowAt_ = end_ - end_ % kWindow;
  window_ = detail::MapAppendWindow(handle_, windowAt_);
  good_ = window_ != nullptr;
  return good_;
}

void AppendFile::Unmap() {
  if (window_ != nullptr) detail::UnmapAppendWindow(window_);
  window_ = nullptr;
}

bool AppendFile::Sync() { return Good() && detail::SyncAppendFile(handle_, window_); }

bool AppendFile::Close() {
  if (handle_ == kNoHandle) return false;
  Unmap();
  const bool closed = detail::CloseAppendFile(handle_, end_);
  handle_ = kNoHandle;
  return good_ && closed;
}

void AppendFile::DropForTesting() {
  if (handle_ == kNoHandle) return;
  Unmap();
  detail::CloseAppendFile(handle_, std::nullopt);
  handle_ = kNoHandle;
}

}  // namespace mapio::platform
