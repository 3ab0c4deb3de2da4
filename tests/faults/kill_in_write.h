#pragma once

#include <string>

namespace lumora::test {

// Arms a fault in this process (meant for a forked child): the first write()
// of more than one byte to a file whose path contains `name` writes half of
// its bytes, and then the process is killed with SIGKILL, as when a run is cut
// short by the user, a crash elsewhere or a power cut in the middle of writing.
void kill_in_write_of(const std::string& name);

}  // namespace lumora::test
