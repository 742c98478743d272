#include "Volumes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace moravel::test {

UserRun runAsUser(const QString& program, const QStringList& args, int timeoutMs) {
    QProcess p;
    // In English, as the tests read it.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    p.setProcessEnvironment(env);
    QStringList all = {"--reuid=65534", "--regid=65534", "--clear-groups", program};
    all += args;
    p.start(QStringLiteral("setpriv"), all);
    UserRun r;
    if (!p.waitForStarted(10000))
        return r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString userReadableDirectory(const QString& base, const QString& name) {
    const QString dir = base + u'/' + name;
    QDir().mkpath(dir);
    for (QString d = dir; d.startsWith(base) && d.size() >= base.size(); d = QFileInfo(d).path())
        QFile::setPermissions(d, QFileDevice::Permissions(0x7755));
    return dir;
}

bool onWindows() {
    return false;
}

bool runningAsRoot() {
    return geteuid() == 0;
}

bool makeNamedPipe(const QString& path) {
    return mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

bool pauseProcess(qint64 pid) {
    return ::kill(static_cast<pid_t>(pid), SIGSTOP) == 0;
}

bool resumeProcess(qint64 pid) {
    return ::kill(static_cast<pid_t>(pid), SIGCONT) == 0;
}

bool kernelHasFat() {
    QFile f(QStringLiteral("/proc/filesystems"));
    return f.open(QIODevice::ReadOnly) && f.readAll().contains("\tvfat\n");
}

namespace {
bool mayMount(QString& whyNot) {
    if (geteuid() != 0) {
        whyNot = QStringLiteral("mounting a volume needs root");
        return false;
    }
    return true;
}

bool installed(const char* tool) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty() ||
           !QStandardPaths::findExecutable(QString::fromLatin1(tool), {"/sbin", "/usr/sbin"}).isEmpty();
}
} // namespace

std::unique_ptr<ScratchVolume> ScratchVolume::tmpfs(const QString& mountPoint, const QString& size,
                                                    QString& whyNot) {
    if (!mayMount(whyNot))
        return nullptr;
    QDir().mkpath(mountPoint);
    QString out;
    if (!runCommand("mount", {"-t", "tmpfs", "-o", "size=" + size + ",mode=0777", "tmpfs", mountPoint}, &out,
                    30000)) {
        whyNot = "mount -t tmpfs failed: " + out;
        return nullptr;
    }
    std::unique_ptr<ScratchVolume> v(new ScratchVolume);
    v->m_mountPoint = mountPoint;
    return v;
}

std::unique_ptr<ScratchVolume> ScratchVolume::fat(const QString& mountPoint, const QString& imagePath,
                                                  int fatSize, QString& whyNot, const QString& contents) {
    if (!mayMount(whyNot))
        return nullptr;
    const bool kernel = kernelHasFat();
    for (const char* tool : {"mkfs.fat", "mcopy", "losetup", "fusefat", "fusermount"})
        if (!installed(tool) &&
            (!kernel || (QByteArray(tool) != "fusefat" && QByteArray(tool) != "fusermount"))) {
            whyNot = QStringLiteral("%1 is not installed").arg(QString::fromLatin1(tool));
            return nullptr;
        }
    QString out;
    if (!runCommand("truncate", {"-s", "40M", imagePath}, &out) ||
        !runCommand("mkfs.fat", {"-F", QString::number(fatSize), imagePath}, &out, 30000)) {
        whyNot = "mkfs.fat failed: " + out;
        return nullptr;
    }
    if (!contents.isEmpty()) {
        QStringList args = {"-i", imagePath, "-Q"};
        for (const QString& name : QDir(contents).entryList(QDir::Files))
            args.append(contents + u'/' + name);
        args.append(QStringLiteral("::/"));
        if (args.size() > 4 && !runCommand("mcopy", args, &out, 60000)) {
            whyNot = "mcopy failed: " + out;
            return nullptr;
        }
    }
    QDir().mkpath(mountPoint);
    std::unique_ptr<ScratchVolume> v(new ScratchVolume);
    v->m_mountPoint = mountPoint;
    if (kernel) {
        if (!runCommand("mount", {"-t", "vfat", "-o", "loop,umask=000", imagePath, mountPoint}, &out,
                        30000)) {
            whyNot = "mount -t vfat failed: " + out;
            return nullptr;
        }
        v->m_kernelFat = true;
        return v;
    }
    QString loop;
    if (!runCommand("losetup", {"-f", "--show", imagePath}, &loop, 30000)) {
        whyNot = "losetup failed: " + loop;
        return nullptr;
    }
    v->m_loopDevice = loop;
    if (!runCommand("fusefat", {"-o", "rw+,allow_other,fsname=" + loop, loop, mountPoint}, &out, 30000)) {
        whyNot = "fusefat failed: " + out;
        return nullptr; // the destructor frees the loop device
    }
    v->m_fuse = true;
    return v;
}

qint64 ScratchVolume::fuseDaemon() const {
    QString out;
    if (!m_fuse || !runCommand("pgrep", {"-f", "-n", "fusefat .* " + m_mountPoint + "$"}, &out, 10000))
        return 0;
    return out.toLongLong();
}

ScratchVolume::~ScratchVolume() {
    if (m_fuse) {
        if (!runCommand("fusermount", {"-u", m_mountPoint}, nullptr, 20000))
            runCommand("fusermount", {"-u", "-z", m_mountPoint}, nullptr, 20000);
    } else if (!m_mountPoint.isEmpty()) {
        if (!runCommand("umount", {m_mountPoint}, nullptr, 20000))
            runCommand("umount", {"-l", m_mountPoint}, nullptr, 20000);
    }
    if (!m_loopDevice.isEmpty())
        runCommand("losetup", {"-d", m_loopDevice}, nullptr, 20000);
}

bool ScratchVolume::remountReadOnly() {
    return runCommand("mount", {"-o", "remount,ro", m_mountPoint}, nullptr, 30000);
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
