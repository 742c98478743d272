#pragma once
// Runs moravel-cli as a script would, in English unless a language is given.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace moravel::test {

struct CliResult {
    int code = -1;
    QString out, err;
};

inline CliResult cli(const QStringList& args, const QString& language = QStringLiteral("C")) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), language);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MORAVEL_CLI), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace moravel::test
