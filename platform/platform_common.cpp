// The parts of the platform layer that are the same on every system: paths
// by concatenation, the start-up directory, the order of a listing and
// UTF-8; files_common.cpp holds the files' part. What differs lives in the
// *_posix.cpp and *_win32.cpp files.
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/user_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>

namespace mapio::platform {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  path.push_back(kSeparator);
  path.append(name);
  return path;
}

std::string AbsolutePath(const std::string& path) {
  if (path.empty() || IsAbsolutePath(path)) return path;
  const std::string base = CurrentDirectory();
  // Unknown when the current folder is gone: joining to "" would point the
  // path at the root, so it stays relative.
  if (base.empty()) return path;
  // The root folder already ends in a separator; "//x" means something
  // else on some systems.
  if (base.back() == kSeparator) return base + path;
  return JoinPath(base, path);
}

void FolderListing::Clear() {
  blocks_.clear();
  free_ = nullptr;
  blockLeft_ = 0;
  textSize_ = 0;
  entries_.clear();
  numbered_ = lasting_ = false;
  device_ = 0;
}

void FolderListing::KeepNumbers(std::uint64_t device, bool lasting) {
  numbered_ = true;
  lasting_ = lasting;
  device_ = device;
}

void FolderListing::Add(std::string_view name, EntryKind kind, std::uint64_t number) {
  constexpr std::size_t kBlock = 1 << 20;
  const std::size_t numberSize = numbered_ ? sizeof number : 0;
  const std::size_t size = numberSize + name.size();
  if (size > blockLeft_) {
    blockLeft_ = std::max(kBlock, size);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(blockLeft_));
    free_ = blocks_.back().get();
  }
  if (numbered_) std::memcpy(free_, &number, sizeof number);
  char* const text = free_ + numberSize;
  std::copy(name.begin(), name.end(), text);
  entries_.push_back({text, static_cast<std::uint32_t>(name.size()), kind});
  free_ += size;
  blockLeft_ -= size;
  textSize_ += name.size();
}

std::optional<FileIdentity> FolderListing::IdentityOf(std::string_view name) const {
  if (!lasting_) return std::nullopt;
  std::uint64_t number = 0;
  std::memcpy(&number, name.data() - sizeof number, sizeof number);
  return FileIdentity{device_, number};
}

namespace {

// NameSortKey as bytes that compare as its UTF-16 units do: each unit
// written the way UTF-8 writes a code point of that value (surrogates
// too), which keeps the order and lets an ASCII name be its own key but
// for letter case.
void AppendSortKey(std::string_view name, std::string& keys) {
  const bool ascii = std::all_of(name.begin(), name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) {
    for (const char c : name) keys.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c);
    return;
  }
  for (const char16_t unit : NameSortKey(name)) {
    if (unit < 0x80) {
      keys.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
      keys.push_back(static_cast<char>(0xC0 | (unit >> 6)));
      keys.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
      keys.push_back(static_cast<char>(0xE0 | (unit >> 12)));
      keys.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
      keys.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
  }
}

// A name's key, its first bytes held in the sort item itself so that most
// comparisons never leave it.
struct SortItem {
  std::uint64_t head;  // the key's first 8 bytes, big-endian, zero-padded
  std::uint32_t key;   // offset of the key
  std::uint32_t keySize;
  std::uint32_t index;
};

std::uint64_t Head(std::string_view key) {
  std::uint64_t head = 0;
  for (std::size_t i = 0; i < 8; ++i)
    head = (head << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0);
  return head;
}

}  // namespace

void FolderListing::SortByName() {
  std::string keys;
  keys.reserve(textSize_ + textSize_ / 8);
  std::vector<SortItem> items;
  items.reserve(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const std::size_t at = keys.size();
    AppendSortKey((*this)[i].name, keys);
    items.push_back({0, static_cast<std::uint32_t>(at),
                     static_cast<std::uint32_t>(keys.size() - at), static_cast<std::uint32_t>(i)});
  }
  for (SortItem& item : items) item.head = Head({keys.data() + item.key, item.keySize});
  std::sort(items.begin(), items.end(), [&](const SortItem& a, const SortItem& b) {
    if (a.head != b.head) return a.head < b.head;
    const std::string_view ka(keys.data() + a.key, a.keySize);
    const std::string_view kb(keys.data() + b.key, b.keySize);
    if (const int byKey = ka.compare(kb); byKey != 0) return byKey < 0;
    return (*this)[a.index].name < (*this)[b.index].name;
  });
  std::vector<Entry> sorted;
  sorted.reserve(entries_.size());
  for (const SortItem& item : items) sorted.push_back(entries_[item.index]);
  entries_ = std::move(sorted);
}

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;

// Eight bytes at once: A-Z get 0x20 added. Right for bytes below 0x80
// only; the caller checks for others.
std::uint64_t LowerAsciiWord(std::uint64_t w) {
  const std::uint64_t upper = (w + 0x3F * kEveryByte) & ~(w + 0x25 * kEveryByte);
  return w | ((upper & 0x80 * kEveryByte) >> 2);
}

}  // namespace

// Every name of a listing is folded: eight bytes at a time, as if the name
// were ASCII, and again through CaseFoldKey when it was not. A name of
// eight bytes or more ends with the word of its last eight, which may lower
// some bytes twice.
void AppendCaseFoldKey(std::string_view name, std::string& out) {
  const std::size_t at = out.size();
  out.resize(at + name.size());
  char* key = out.data() + at;
  std::uint64_t seen = 0;
  const auto fold = [&](std::size_t i) {
    std::uint64_t w;
    std::memcpy(&w, name.data() + i, sizeof w);
    seen |= w;
    w = LowerAsciiWord(w);
    std::memcpy(key + i, &w, sizeof w);
  };
  if (name.size() >= sizeof(std::uint64_t)) {
    for (std::size_t i = 0; i + sizeof(std::uint64_t) < name.size(); i += sizeof(std::uint64_t))
      fold(i);
    fold(name.size() - sizeof(std::uint64_t));
  } else {
    for (std::size_t i = 0; i < name.size(); ++i) {
      const auto c = static_cast<unsigned char>(name[i]);
      seen |= c;
      key[i] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
  }
  if ((seen & 0x80 * kEveryByte) == 0) return;
  out.resize(at);
  out.append(CaseFoldKey(name));
}

// --- UTF-8 ------------------------------------------------------------------

std::size_t Utf8Length(std::string_view s, std::size_t pos, char32_t& c) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) {
    c = lead;
    return 1;
  }
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || pos + length > s.size()) return 0;
  c = lead & (0x3F >> (length - 1));
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i) & 0x3F);
  }
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// A byte order mark, or NULs in every other byte of the first characters:
// "<?xml" in UTF-16 begins "<\0?\0" or "\0<\0?".
bool LooksLikeUtf16(std::string_view head) {
  if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) return true;
  const std::size_t n = std::min<std::size_t>(head.size(), 16) & ~std::size_t{1};
  if (n < 4) return false;
  bool little = true;
  bool big = true;
  for (std::size_t i = 0; i < n; i += 2) {
    little = little && head[i] != '\0' && head[i + 1] == '\0';
    big = big && head[i] == '\0' && head[i + 1] != '\0';
  }
  return little || big;
}

bool IsValidUtf8(std::string_view text) {
  char32_t c = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    // ASCII, most of any config.xml, eight bytes at a time.
    if (pos + 8 <= text.size()) {
      std::uint64_t eight = 0;
      std::memcpy(&eight, text.data() + pos, 8);
      if ((eight & 0x8080808080808080u) == 0) {
        pos += 8;
        continue;
      }
    }
    const std::size_t length = Utf8Length(text, pos, c);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

void RunTogether(const std::function<void()>& aside, const std::function<void()>& here) {
  std::exception_ptr asideFailed;
  std::thread thread;
  try {
    thread = std::thread([&] {
      try {
        aside();
      } catch (...) {
        asideFailed = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    aside();
    here();
    return;
  }
  std::exception_ptr hereFailed;
  try {
    here();
  } catch (...) {
    hereFailed = std::current_exception();
  }
  thread.join();
  if (hereFailed) std::rethrow_exception(hereFailed);
  if (asideFailed) std::rethrow_exception(asideFailed);
}

}  // namespace mapio::platform
