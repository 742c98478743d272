#pragma once

namespace moravel::platform {

// Standard output and standard error carry the program's bytes as they are, on every system: a
// summary written to a file is the same file everywhere. (Windows' C runtime would otherwise write
// every LF as CR LF, and a CSV that ends its lines with CR LF itself as CR CR LF.)
void useBinaryStandardStreams();

} // namespace moravel::platform
