#include "Volumes.h"

#include <QDir>

// Windows under Wine: a test mounts no volume and runs nothing as another user; the tests that need
// either skip with this reason.
namespace moravel::test {

namespace {
const QString WhyNot =
    QStringLiteral("Windows under Wine: a test mounts no volume and switches to no other user");
}

UserRun runAsUser(const QString&, const QStringList&, int) {
    UserRun r;
    r.err = WhyNot;
    return r;
}

QString userReadableDirectory(const QString& base, const QString& name) {
    const QString dir = base + u'/' + name;
    QDir().mkpath(dir);
    return dir;
}

bool onWindows() {
    return true;
}

bool runningAsRoot() {
    return false;
}

bool makeNamedPipe(const QString&) {
    return false;
}

bool pauseProcess(qint64) {
    return false;
}

bool resumeProcess(qint64) {
    return false;
}

bool kernelHasFat() {
    return false;
}

std::unique_ptr<ScratchVolume> ScratchVolume::tmpfs(const QString&, const QString&, QString& whyNot) {
    whyNot = WhyNot;
    return nullptr;
}

std::unique_ptr<ScratchVolume> ScratchVolume::fat(const QString&, const QString&, int, QString& whyNot,
                                                  const QString&) {
    whyNot = WhyNot;
    return nullptr;
}

ScratchVolume::~ScratchVolume() = default;

qint64 ScratchVolume::fuseDaemon() const {
    return 0;
}

bool ScratchVolume::remountReadOnly() {
    return false;
}

void ScratchVolume::fill() {}

} // namespace moravel::test
