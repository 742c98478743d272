#include "platform/Version.h"

#include "platform/VersionNumber.h"

namespace moravel::platform {

VersionParts versionParts() {
    return {MORAVEL_VERSION_MAJOR, MORAVEL_VERSION_MINOR, MORAVEL_VERSION_PATCH, MORAVEL_VERSION_TWEAK};
}

} // namespace moravel::platform
