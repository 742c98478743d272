#include "platform/Version.h"

namespace moravel::platform {

QString versionText() {
    const VersionParts v = versionParts();
    return QString::asprintf("%d.%d.%d.%d", v.major, v.minor, v.release, v.build);
}

} // namespace moravel::platform
