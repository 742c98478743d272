#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace moravel::test {

// A real volume mounted for a test: a size-limited tmpfs, or a FAT image mounted with the kernel's
// FAT driver where the machine has one, else through a loop device and fusefat. Mounting needs root
// and the tools; where that fails the test skips with the reason. Every mount and unmount is bounded
// by a timeout, and the volume is unmounted when the object goes, whatever happened.
class ScratchVolume {
public:
    // nullptr and a reason when the volume cannot be made here.
    static std::unique_ptr<ScratchVolume> tmpfs(const QString& mountPoint, const QString& size,
                                                QString& whyNot);
    // fatSize 32 or 16. The files of `contents` (a directory, may be empty) are copied onto the image
    // before it is mounted, so that nothing is written through the mount to set it up. The volume is
    // readable and writable for every user.
    static std::unique_ptr<ScratchVolume> fat(const QString& mountPoint, const QString& imagePath,
                                              int fatSize, QString& whyNot,
                                              const QString& contents = QString());
    ~ScratchVolume();

    const QString& path() const { return m_mountPoint; }
    // Whether the image is mounted with the kernel's FAT driver (rather than fusefat).
    bool kernelFat() const { return m_kernelFat; }
    // The process id of the FUSE daemon of a fusefat mount, 0 for a kernel mount.
    qint64 fuseDaemon() const;
    bool remountReadOnly();
    // Writes a file until the volume is full.
    void fill();

private:
    ScratchVolume() = default;
    QString m_mountPoint;
    QString m_loopDevice;
    bool m_fuse = false;
    bool m_kernelFat = false;
};

// Whether the tests run as a Windows program (under Wine on the build machine).
bool onWindows();

// Whether the tests run as root, who may mount volumes and hand files to another user (never on
// Windows).
bool runningAsRoot();
// Makes a named pipe (a FIFO) at the path; false where the file system has none (Windows).
bool makeNamedPipe(const QString& path);
// Stops a process where it stands and lets it go on (SIGSTOP, SIGCONT); false on Windows.
bool pauseProcess(qint64 pid);
bool resumeProcess(qint64 pid);

// Whether the kernel can mount FAT volumes itself.
bool kernelHasFat();

// Runs a command, killed after `timeoutMs`; true when it exits with 0 in time. Its output (standard
// output and error) goes to `output`.
bool runCommand(const QString& program, const QStringList& args, QString* output = nullptr,
                int timeoutMs = 60000);

// Runs a command as an ordinary user (nobody, without groups), killed after `timeoutMs`. Its exit code,
// or -1 when it did not finish in time; its standard output and error.
struct UserRun {
    int code = -1;
    QString out, err;
};
UserRun runAsUser(const QString& program, const QStringList& args, int timeoutMs = 60000);

// A directory the ordinary user may enter and read (the temporary directories of the tests are not),
// made below `base`.
QString userReadableDirectory(const QString& base, const QString& name);

} // namespace moravel::test
