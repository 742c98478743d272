#include "Volumes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <unistd.h>

namespace moravel::test {

bool runCommand(const QString& program, const QStringList& args, QString* output) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return false;
    p.waitForFinished(60000);
    if (output)
        *output = QString::fromLocal8Bit(p.readAll()).trimmed();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

namespace {
bool mayMount(QString& whyNot) {
    if (geteuid() != 0) {
        whyNot = QStringLiteral("mounting a volume needs root");
        return false;
    }
    return true;
}
} // namespace

std::unique_ptr<ScratchVolume> ScratchVolume::tmpfs(const QString& mountPoint, const QString& size,
                                                    QString& whyNot) {
    if (!mayMount(whyNot))
        return nullptr;
    QDir().mkpath(mountPoint);
    QString out;
    if (!runCommand("mount", {"-t", "tmpfs", "-o", "size=" + size, "tmpfs", mountPoint}, &out)) {
        whyNot = "mount -t tmpfs failed: " + out;
        return nullptr;
    }
    std::unique_ptr<ScratchVolume> v(new ScratchVolume);
    v->m_mountPoint = mountPoint;
    return v;
}

std::unique_ptr<ScratchVolume> ScratchVolume::fat(const QString& mountPoint, const QString& imagePath,
                                                  int fatSize, QString& whyNot) {
    if (!mayMount(whyNot))
        return nullptr;
    for (const char* tool : {"mkfs.fat", "losetup", "fusefat", "fusermount"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty() &&
            QStandardPaths::findExecutable(QString::fromLatin1(tool), {"/sbin", "/usr/sbin"}).isEmpty()) {
            whyNot = QStringLiteral("%1 is not installed").arg(QString::fromLatin1(tool));
            return nullptr;
        }
    QString out;
    if (!runCommand("truncate", {"-s", "40M", imagePath}, &out) ||
        !runCommand("mkfs.fat", {"-F", QString::number(fatSize), imagePath}, &out)) {
        whyNot = "mkfs.fat failed: " + out;
        return nullptr;
    }
    QString loop;
    if (!runCommand("losetup", {"-f", "--show", imagePath}, &loop)) {
        whyNot = "losetup failed: " + loop;
        return nullptr;
    }
    QDir().mkpath(mountPoint);
    if (!runCommand("fusefat", {"-o", "rw+,fsname=" + loop, loop, mountPoint}, &out)) {
        runCommand("losetup", {"-d", loop});
        whyNot = "fusefat failed: " + out;
        return nullptr;
    }
    std::unique_ptr<ScratchVolume> v(new ScratchVolume);
    v->m_mountPoint = mountPoint;
    v->m_loopDevice = loop;
    v->m_fuse = true;
    return v;
}

ScratchVolume::~ScratchVolume() {
    if (m_fuse)
        runCommand("fusermount", {"-u", m_mountPoint});
    else
        runCommand("umount", {m_mountPoint});
    if (!m_loopDevice.isEmpty())
        runCommand("losetup", {"-d", m_loopDevice});
}

bool ScratchVolume::remountReadOnly() {
    return runCommand("mount", {"-o", "remount,ro", m_mountPoint});
}

void ScratchVolume::fill() {
    QFile f(m_mountPoint + "/filler.bin");
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(64 * 1024, 'x');
    while (f.write(block) == block.size()) {
    }
    f.close();
    // A last small write may still fit: fill the remaining bytes too.
    QFile g(m_mountPoint + "/filler2.bin");
    if (g.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        while (g.write("x", 1) == 1) {
        }
}

} // namespace moravel::test
