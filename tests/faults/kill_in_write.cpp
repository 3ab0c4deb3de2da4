#include "kill_in_write.h"

#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// Fixed storage: the interposed write() must not allocate.
char armed_name[PATH_MAX] = "";

bool writes_to_armed_file(int fd) {
  if (armed_name[0] == '\0') return false;
  char link[64];
  char target[PATH_MAX];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = ::readlink(link, target, sizeof target - 1);
  if (n <= 0) return false;
  target[n] = '\0';
  return std::strstr(target, armed_name) != nullptr;
}

}  // namespace

namespace lumora::test {

void kill_in_write_of(const std::string& name) {
  std::snprintf(armed_name, sizeof armed_name, "%s", name.c_str());
}

}  // namespace lumora::test

// Takes the place of the C library's write() in the test program; the real
// system call is made directly.
extern "C" ssize_t write(int fd, const void* buffer, size_t count) {
  if (count > 1 && writes_to_armed_file(fd)) {
    ::syscall(SYS_write, fd, buffer, count / 2);
    ::kill(::getpid(), SIGKILL);
  }
  return ::syscall(SYS_write, fd, buffer, count);
}
