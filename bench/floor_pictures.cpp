// The least a check of the pictures can do: open every file of the folder
// and read its first 512 bytes. Usage: floor_pictures FOLDER
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: floor_pictures FOLDER\n");
    return 2;
  }
  DIR* dir = opendir(argv[1]);
  if (dir == nullptr) return 1;
  char head[512];
  unsigned long files = 0, bytes = 0;
  while (const dirent* e = readdir(dir)) {
    if (e->d_type == DT_DIR) continue;
    const int fd = openat(dirfd(dir), e->d_name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    const ssize_t got = read(fd, head, sizeof head);
    close(fd);
    ++files;
    if (got > 0) bytes += static_cast<unsigned long>(got);
  }
  closedir(dir);
  std::printf("%lu files, %lu bytes\n", files, bytes);
  return 0;
}
