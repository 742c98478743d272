#pragma once

#include <QString>
#include <memory>

namespace moravel::test {

// A real volume mounted for a test: a size-limited tmpfs, or a FAT image through a loop device and
// fusefat. Mounting needs root and the tools; where that fails the test skips with the reason.
class ScratchVolume {
public:
    // nullptr and a reason when the volume cannot be made here.
    static std::unique_ptr<ScratchVolume> tmpfs(const QString& mountPoint, const QString& size,
                                                QString& whyNot);
    // fatSize 32 or 16.
    static std::unique_ptr<ScratchVolume> fat(const QString& mountPoint, const QString& imagePath,
                                              int fatSize, QString& whyNot);
    ~ScratchVolume();

    const QString& path() const { return m_mountPoint; }
    bool remountReadOnly();
    // Writes a file until the volume is full.
    void fill();

private:
    ScratchVolume() = default;
    QString m_mountPoint;
    QString m_loopDevice;
    bool m_fuse = false;
};

// Runs a command; true when it exits with 0. Its output goes to `output`.
bool runCommand(const QString& program, const QStringList& args, QString* output = nullptr);

} // namespace moravel::test
