#pragma once

#include <QString>

namespace moravel::platform {

// The four-part version of this build: major, minor, release, build.
struct VersionParts {
    int major, minor, release, build;
};
VersionParts versionParts();

// "major.minor.release.build"
QString versionText();

} // namespace moravel::platform
