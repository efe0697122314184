#include "platform/console.h"

namespace platform {

// A posix process inherits its parent's standard streams.
void UseParentConsole() {}

}  // namespace platform
