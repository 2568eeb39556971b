#include "platform/user_files.h"

namespace mapio::platform {

namespace {

// Large enough that a journal of half a million renames takes a few dozen writes.
constexpr std::size_t kGather = 1 << 20;

}  // namespace

std::time_t Now() { return std::time(nullptr); }

std::string TimeText(std::time_t when) {
  const std::tm parts = UtcParts(when);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
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
