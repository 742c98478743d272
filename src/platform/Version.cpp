#include "platform/Version.h"

#include "platform/VersionNumber.h"

namespace moravel::platform {

VersionParts versionParts() {
    return {MORAVEL_VERSION_MAJOR, MORAVEL_VERSION_MINOR, MORAVEL_VERSION_PATCH, MORAVEL_VERSION_TWEAK};
}

QString versionText() {
    const VersionParts v = versionParts();
    return QString::asprintf("%d.%d.%d.%d", v.major, v.minor, v.release, v.build);
}

} // namespace moravel::platform
