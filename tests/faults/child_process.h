#pragma once

#include <functional>
#include <ostream>
#include <string>

namespace lumora::test {

struct ChildOutcome {
  int exit_status = -1;  // when the child exited
  int signal = 0;        // when a signal ended it
  std::string err;       // what the child wrote to its error stream
};

// Runs `body` in a forked child and waits for it. The child's exit status is
// what `body` returns; the text it writes to `err` comes back through a pipe.
// With `as_other_user` a child of root first changes to the unprivileged user
// 65534, so that file permissions apply to it.
ChildOutcome run_in_child(const std::function<int(std::ostream& err)>& body,
                          bool as_other_user = false);

}  // namespace lumora::test
