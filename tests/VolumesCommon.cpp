#include "Volumes.h"

#include <QProcess>

namespace moravel::test {

bool runCommand(const QString& program, const QStringList& args, QString* output, int timeoutMs) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return false;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        if (output)
            *output = QStringLiteral("%1 did not finish within %2 ms").arg(program).arg(timeoutMs);
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(p.readAll()).trimmed();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace moravel::test
