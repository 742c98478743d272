#include "platform/Console.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace moravel::platform {

void useBinaryStandardStreams() {
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace moravel::platform
