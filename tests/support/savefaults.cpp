// Loaded with LD_PRELOAD, makes one step of saving one file fail, as a full disk or a share
// that runs out of room would. The file is chosen while the test runs, by environment variable:
//   MERVALO_FAIL_WRITE=<path>   write() into it fails with ENOSPC
//   MERVALO_FAIL_SYNC=<path>    fdatasync() on it fails with ENOSPC
//   MERVALO_FAIL_RENAME=<path>  rename() onto it fails with EIO
// "Into it" covers the temporary file a save writes first: one named "<path>.XXXXXX", or an
// unnamed one in the same folder. Unset, every call goes straight through.

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

template <typename F>
F next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// The path with its folder resolved, so that it compares with what the kernel reports.
std::string resolved(const std::string& path) {
  char folder[PATH_MAX];
  if (!realpath(folderOf(path).c_str(), folder)) return path;
  const auto slash = path.rfind('/');
  return std::string(folder) + "/" + (slash == std::string::npos ? path : path.substr(slash + 1));
}

std::string chosen(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value ? resolved(value) : std::string();
}

bool pathMatches(const std::string& path, const std::string& target) {
  if (path == target) return true;
  if (path.size() == target.size() + 7 && path.compare(0, target.size() + 1, target + ".") == 0) return true;
  // An unnamed temporary file (O_TMPFILE) shows as "<folder>/#<inode> (deleted)".
  const std::string folder = folderOf(target) + "/#";
  const std::string deleted = " (deleted)";
  return path.compare(0, folder.size(), folder) == 0 && path.size() > deleted.size() &&
         path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0;
}

bool fdMatches(int fd, const char* variable) {
  const std::string target = chosen(variable);
  if (target.empty()) return false;
  char link[64];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  char path[PATH_MAX];
  const ssize_t n = readlink(link, path, sizeof path - 1);
  if (n <= 0) return false;
  return pathMatches(std::string(path, static_cast<size_t>(n)), target);
}

}  // namespace

extern "C" {

// Tests look this up to know that the library is loaded.
int mervalo_save_faults_loaded = 1;

ssize_t write(int fd, const void* buffer, size_t count) {
  static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
  if (fd > 2 && fdMatches(fd, "MERVALO_FAIL_WRITE")) {
    errno = ENOSPC;
    return -1;
  }
  return real(fd, buffer, count);
}

int fdatasync(int fd) {
  static const auto real = next<int (*)(int)>("fdatasync");
  if (fdMatches(fd, "MERVALO_FAIL_SYNC")) {
    errno = ENOSPC;
    return -1;
  }
  return real(fd);
}

int rename(const char* from, const char* to) {
  static const auto real = next<int (*)(const char*, const char*)>("rename");
  const std::string target = chosen("MERVALO_FAIL_RENAME");
  if (!target.empty() && to && resolved(to) == target) {
    errno = EIO;
    return -1;
  }
  return real(from, to);
}

}  // extern "C"
