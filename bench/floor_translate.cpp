// The least a translate job can do: read config.xml in one read, list the
// folder once into a table of its pictures by their names with the letter
// case folded, then one no-replace rename per picture. No copy of a name
// but the folded keys, no allocation per record.
// Usage: floor_translate FOLDER
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

std::uint32_t Hash(std::string_view s) {
  std::uint32_t h = 2166136261u;
  for (const char c : s) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return h;
}

bool ReadAll(int dir, std::string& out) {
  const int fd = openat(dir, "config.xml", O_RDONLY);
  struct stat st {};
  if (fd < 0 || fstat(fd, &st) != 0) return false;
  out.resize(static_cast<std::size_t>(st.st_size));
  std::size_t have = 0;
  while (have < out.size()) {
    const ssize_t got = read(fd, out.data() + have, out.size() - have);
    if (got <= 0) break;
    have += static_cast<std::size_t>(got);
  }
  out.resize(have);
  close(fd);
  return true;
}

// The pictures by folded stem: each slot holds the real name (NUL-ended, in
// the listing's blocks) and the folded stem (in one block of keys).
class Pictures {
 public:
  bool List(int dir) {
    constexpr std::size_t kBlock = 1 << 20;
    for (;;) {
      blocks_.push_back(std::make_unique<char[]>(kBlock));
      char* block = blocks_.back().get();
      const long got = syscall(SYS_getdents64, dir, block, kBlock);
      if (got < 0) return false;
      if (got == 0) break;
      for (long at = 0; at < got;) {
        struct Entry {
          std::uint64_t ino;
          std::int64_t off;
          unsigned short reclen;
          unsigned char type;
          char name[1];
        };
        const auto* e = reinterpret_cast<const Entry*>(block + at);
        at += e->reclen;
        Add(e->name);
      }
    }
    return true;
  }

  // The real name of the picture whose folded stem is `stem`, or null.
  const char* Find(std::string_view stem, std::string& key) const {
    key.clear();
    for (const char c : stem) key.push_back(Lower(c));
    const std::uint32_t h = Hash(key);
    for (std::size_t s = h & mask_; slots_[s].name != nullptr; s = (s + 1) & mask_) {
      const Slot& slot = slots_[s];
      if (slot.hash == h && std::string_view(keys_.data() + slot.key, slot.keySize) == key)
        return slot.name;
    }
    return nullptr;
  }

 private:
  struct Slot {
    const char* name = nullptr;
    std::uint32_t hash = 0;
    std::uint32_t key = 0;
    std::uint32_t keySize = 0;
  };

  void Add(const char* name) {
    const std::size_t size = std::strlen(name);
    if (size < 5) return;
    char ext[4];
    for (int i = 0; i < 4; ++i) ext[i] = Lower(name[size - 4 + i]);
    const std::string_view e(ext, 4);
    if (e != ".png" && e != ".jpg" && e != ".gif") return;
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    const std::uint32_t key = static_cast<std::uint32_t>(keys_.size());
    for (std::size_t i = 0; i + 4 < size; ++i) keys_.push_back(Lower(name[i]));
    const Slot slot{name, Hash(std::string_view(keys_.data() + key, size - 4)), key,
                    static_cast<std::uint32_t>(size - 4)};
    Insert(slot);
    ++count_;
  }

  void Insert(const Slot& slot) {
    std::size_t s = slot.hash & mask_;
    while (slots_[s].name != nullptr) s = (s + 1) & mask_;
    slots_[s] = slot;
  }

  void Grow() {
    std::vector<Slot> old(slots_.empty() ? 1024 : slots_.size() * 2);
    old.swap(slots_);
    mask_ = slots_.size() - 1;
    for (const Slot& slot : old)
      if (slot.name != nullptr) Insert(slot);
  }

  std::vector<std::unique_ptr<char[]>> blocks_;
  std::vector<char> keys_;
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
  std::size_t count_ = 0;
};

// The from value and the ID of the record that starts at `at`, which is past
// the line's `<record from="`.
bool ParseRecord(std::string_view text, std::size_t at, std::string_view& from,
                 std::string_view& id) {
  const std::size_t end = text.find('"', at);
  if (end == std::string_view::npos) return false;
  from = text.substr(at, end - at);
  std::size_t digits = end;
  while (digits < text.size() && text[digits] != '\n' && (text[digits] < '0' || text[digits] > '9'))
    ++digits;
  std::size_t digitsEnd = digits;
  while (digitsEnd < text.size() && text[digitsEnd] >= '0' && text[digitsEnd] <= '9') ++digitsEnd;
  id = text.substr(digits, digitsEnd - digits);
  return !id.empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: floor_translate FOLDER\n");
    return 2;
  }
  const int dir = open(argv[1], O_RDONLY | O_DIRECTORY);
  std::string mapping;
  if (dir < 0 || !ReadAll(dir, mapping)) return 1;
  Pictures pictures;
  if (!pictures.List(dir)) return 1;

  constexpr std::string_view kFrom = "<record from=\"";
  const std::string_view text = mapping;
  std::string key;
  char newName[64];
  std::size_t renamed = 0, failed = 0;
  for (std::size_t at = text.find(kFrom); at != std::string_view::npos; at = text.find(kFrom, at)) {
    at += kFrom.size();
    std::string_view from, id;
    if (!ParseRecord(text, at, from, id) || id.size() > 50) continue;
    const char* oldName = pictures.Find(from, key);
    if (oldName == nullptr) {
      ++failed;
      continue;
    }
    std::memcpy(newName, id.data(), id.size());
    std::memcpy(newName + id.size(), oldName + std::strlen(oldName) - 4, 5);
    if (renameat2(dir, oldName, dir, newName, RENAME_NOREPLACE) == 0)
      ++renamed;
    else
      ++failed;
  }
  close(dir);
  std::printf("renamed %zu, failed %zu\n", renamed, failed);
  return failed == 0 ? 0 : 1;
}
