#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

#include "platform/console.h"

namespace platform {

// A posix process inherits its parent's standard streams; a closed one is held by
// /dev/null opened for reading only, so writing to it still fails (EBADF).
void PrepareStandardStreams() {
  for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF) continue;
    // open() takes the lowest free number, which is this one: the lower ones are open.
    const int held = ::open("/dev/null", O_RDONLY);
    if (held != -1 && held != stream) ::close(held);
  }
}

}  // namespace platform
