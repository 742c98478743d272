#include "platform/Console.h"

namespace moravel::platform {

// The standard streams of POSIX systems carry bytes as they are.
void useBinaryStandardStreams() {}

} // namespace moravel::platform
