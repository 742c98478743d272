// Cards on a desktop: a volume that stalls must not hold the start-up or the command line.
#include "Volumes.h"
#include "WindowTest.h"

#include <QTemporaryDir>
#include <csignal>
#include <unistd.h>

using moravel::test::runCommand;
using moravel::test::ScratchVolume;

TEST(StalledVolume, NeitherTheStartNorTheCommandLineWaitsForIt) {
    QTemporaryDir tmp;
    QString whyNot;
    auto volume = ScratchVolume::fat(tmp.filePath("stalled"), tmp.filePath("stalled.img"), 16, whyNot);
    if (!volume)
        GTEST_SKIP() << whyNot.toStdString();
    if (volume->kernelFat())
        GTEST_SKIP() << "the FAT volume is mounted by the kernel: there is no FUSE daemon to stop";
    const qint64 daemon = volume->fuseDaemon();
    ASSERT_GT(daemon, 0);
    ::kill(static_cast<pid_t>(daemon), SIGSTOP);
    struct Resume {
        qint64 pid;
        ~Resume() { ::kill(static_cast<pid_t>(pid), SIGCONT); }
    } resume{daemon};
    // The volume does not answer: asking it for its free space waits.
    ASSERT_FALSE(runCommand("stat", {"-f", volume->path()}, nullptr, 3000));

    QString out;
    EXPECT_TRUE(runCommand(QStringLiteral(MORAVEL_STARTUP_PROBE), {}, &out, 30000)) << out.toStdString();
    EXPECT_TRUE(out.contains("shown")) << out.toStdString();
    const QString card = tmp.filePath("card");
    moravel::tools::writeSampleCard(card, moravel::test::cardOptions(2));
    EXPECT_TRUE(runCommand(QStringLiteral(MORAVEL_CLI), {"days", card}, &out, 30000)) << out.toStdString();
    EXPECT_TRUE(out.startsWith("20210301")) << out.toStdString();
}
