// Cards on a desktop: a volume that stalls must not hold the start-up or the command line.
#include "Volumes.h"
#include "WindowTest.h"

#include <QTemporaryDir>
#include <csignal>

using moravel::test::runCommand;
using moravel::test::ScratchVolume;

namespace {

// A FAT volume mounted through fusefat whose daemon is stopped, as a network share that went away:
// asking it anything waits. The daemon goes on when the object goes.
class StalledVolume {
public:
    StalledVolume(const QString& mountPoint, const QString& image) {
        m_volume = ScratchVolume::fat(mountPoint, image, 16, m_whyNot);
        if (m_volume && m_volume->kernelFat()) {
            m_whyNot = "the FAT volume is mounted by the kernel: there is no FUSE daemon to stop";
            m_volume.reset();
        }
        if (m_volume && (m_daemon = m_volume->fuseDaemon()) > 0)
            moravel::test::pauseProcess(m_daemon);
    }
    ~StalledVolume() {
        if (m_daemon > 0)
            moravel::test::resumeProcess(m_daemon);
    }
    // Empty when the volume stalls; the reason otherwise.
    QString whyNot() const { return m_volume && m_daemon <= 0 ? QStringLiteral("no FUSE daemon") : m_whyNot; }
    const QString& path() const { return m_volume->path(); }

private:
    std::unique_ptr<ScratchVolume> m_volume;
    QString m_whyNot;
    qint64 m_daemon = 0;
};

} // namespace

TEST(StalledVolume, NeitherTheStartNorTheCommandLineWaitsForIt) {
    QTemporaryDir tmp;
    StalledVolume volume(tmp.filePath("stalled"), tmp.filePath("stalled.img"));
    if (!volume.whyNot().isEmpty())
        GTEST_SKIP() << volume.whyNot().toStdString();
    // The volume does not answer: asking it for its free space waits.
    ASSERT_FALSE(runCommand("stat", {"-f", volume.path()}, nullptr, 3000));

    QString out;
    EXPECT_TRUE(runCommand(QStringLiteral(MORAVEL_STARTUP_PROBE), {}, &out, 30000)) << out.toStdString();
    EXPECT_TRUE(out.contains("shown")) << out.toStdString();
    const QString card = tmp.filePath("card");
    moravel::tools::writeSampleCard(card, moravel::test::cardOptions(2));
    EXPECT_TRUE(runCommand(QStringLiteral(MORAVEL_CLI), {"days", card}, &out, 30000)) << out.toStdString();
    EXPECT_TRUE(out.startsWith("20210301")) << out.toStdString();
}

// A volume beside the card that does not answer (its FUSE daemon stopped, as a network share that
// went away): the folder picker lists the folder holding both, takes the card's typed path, and
// closes at once; Escape closes it too when the program was started from that folder.
TEST(StalledVolume, TheFolderPickerClosesBesideIt) {
    QTemporaryDir tmp;
    const QString card = tmp.filePath("CARD");
    moravel::tools::writeSampleCard(card, moravel::test::cardOptions(2));
    StalledVolume volume(tmp.filePath("NAS"), tmp.filePath("nas.img"));
    if (!volume.whyNot().isEmpty())
        GTEST_SKIP() << volume.whyNot().toStdString();
    ASSERT_FALSE(runCommand("stat", {volume.path()}, nullptr, 3000));

    struct Case {
        QString start, typed, expected;
    };
    for (const Case& c :
         {Case{tmp.path(), card, "chosen " + card}, Case{tmp.path(), "CARD", "chosen " + card},
          Case{QString(), card, "chosen " + card}, Case{QString(), QString(), "cancelled"}}) {
        QString out;
        EXPECT_TRUE(
            runCommand(QStringLiteral(MORAVEL_PICKER_PROBE), {tmp.path(), c.start, c.typed}, &out, 20000))
            << c.typed.toStdString() << ": " << out.toStdString();
        EXPECT_TRUE(out.contains(c.expected)) << out.toStdString();
    }
}
