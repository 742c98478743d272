// A run of the command line stopped by a signal, as Ctrl+C, kill and a closed terminal stop it.
#include "CliRun.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>

TEST(Stopping, ARunStoppedBySignalTakesAwayWhatItMade) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());

    moravel::tools::SampleCardOptions options = moravel::test::cardOptions(30, true);
    const QString big = tmp.filePath("big");
    moravel::tools::writeSampleCard(big, options);
    for (const auto& [signal, status] :
         {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}, std::pair{SIGHUP, 129}}) {
        const QString out = tmp.filePath(QStringLiteral("out%1/csv").arg(signal));
        QProcess p;
        p.start(QStringLiteral(MORAVEL_CLI), {"csv", big, out, "--all"});
        ASSERT_TRUE(p.waitForStarted());
        // Stopped once a few files are written, well before the end.
        for (int i = 0; i < 6000 && p.state() == QProcess::Running &&
                        QDir(out).entryList(QDir::Files | QDir::Hidden).size() < 4;
             ++i)
            p.waitForFinished(5);
        ASSERT_EQ(p.state(), QProcess::Running) << "the run ended before it could be stopped";
        ::kill(static_cast<pid_t>(p.processId()), signal);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(p.exitCode(), status) << signal;
        // The directories it made are gone with every file in them, temporary ones included.
        EXPECT_FALSE(QFileInfo::exists(out))
            << signal << ": " << QDir(out).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();
        EXPECT_FALSE(QFileInfo::exists(tmp.filePath(QStringLiteral("out%1").arg(signal)))) << signal;
    }
}
