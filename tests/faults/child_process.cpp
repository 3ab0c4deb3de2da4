#include "child_process.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

namespace lumora::test {

namespace {

constexpr uid_t UNPRIVILEGED_ID = 65534;
constexpr int CHILD_SETUP_FAILED = 125;

}  // namespace

ChildOutcome run_in_child(const std::function<int(std::ostream& err)>& body, bool as_other_user) {
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipe_fds[0]);
    if (as_other_user && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(UNPRIVILEGED_ID) != 0 ||
         ::setuid(UNPRIVILEGED_ID) != 0)) {
      ::_exit(CHILD_SETUP_FAILED);
    }
    std::ostringstream err;
    const int status = body(err);
    const std::string text = err.str();
    for (std::size_t done = 0; done < text.size();) {
      const ssize_t n = ::write(pipe_fds[1], text.data() + done, text.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::_exit(status);
  }
  ::close(pipe_fds[1]);
  ChildOutcome outcome;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;)
    outcome.err.append(buffer, n);
  ::close(pipe_fds[0]);
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return outcome;
  if (WIFEXITED(status)) outcome.exit_status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  return outcome;
}

}  // namespace lumora::test
