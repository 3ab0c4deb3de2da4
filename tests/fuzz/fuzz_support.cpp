#include "fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <map>

namespace lumora::fuzz {

// The file lives in memory (memfd) and is reached through /proc/self/fd/:
// nothing is left on disk, and a run is not slowed by the file system.
std::filesystem::path input_file(const std::string& name, const std::uint8_t* data,
                                 std::size_t size) {
  static std::map<std::string, int> files;
  auto it = files.find(name);
  if (it == files.end()) {
    const int fd = ::memfd_create(name.c_str(), 0);
    check(fd >= 0, "cannot create the input file");
    it = files.emplace(name, fd).first;
  }
  const int fd = it->second;
  check(::ftruncate(fd, 0) == 0, "cannot empty the input file");
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = ::pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    check(n > 0, "cannot write the input file");
    done += static_cast<std::size_t>(n);
  }
  return "/proc/self/fd/" + std::to_string(fd);
}

void check(bool ok, std::string_view what) {
  if (ok) return;
  std::cerr << "fuzz check failed: " << what << std::endl;
  std::abort();
}

void check_names_file(std::string_view message, const std::filesystem::path& file) {
  if (message.find(file.string()) != std::string_view::npos) return;
  std::cerr << "error message does not name " << file << ": " << message << std::endl;
  std::abort();
}

}  // namespace lumora::fuzz
