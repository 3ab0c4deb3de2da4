#include "whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace lumora {

namespace {

std::string failure(const std::filesystem::path& target, const char* what, int err) {
  return std::string(what) + " '" + target.string() + "': " + std::strerror(err);
}

}  // namespace

std::string replace_file_whole(const std::filesystem::path& target, std::string_view content) {
  std::filesystem::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  std::string temp = (dir / ("." + target.filename().string() + ".XXXXXX")).string();

  int fd = ::mkstemp(temp.data());
  if (fd < 0) return failure(target, "cannot create a temporary file for", errno);
  // mkstemp creates the file 0600; give it the permissions of a normal new file.
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);

  const char* p = content.data();
  size_t left = content.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      ::unlink(temp.c_str());
      return failure(target, "cannot write", err);
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    return failure(target, "cannot write", err);
  }
  if (std::rename(temp.c_str(), target.c_str()) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    return failure(target, "cannot replace", err);
  }
  return {};
}

}  // namespace lumora
