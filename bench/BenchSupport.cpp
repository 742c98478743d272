#include "BenchSupport.h"

#include "common/Fields.h"
#include "platform/Application.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <map>
#include <memory>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace moravel::bench {

namespace {
QTemporaryDir& root() {
    static QTemporaryDir dir;
    return dir;
}
} // namespace

QString sampleCard(const QString& name, const tools::SampleCardOptions& options) {
    static std::map<QString, QString> made;
    auto it = made.find(name);
    if (it != made.end())
        return it->second;
    const QString dir = root().filePath(name);
    tools::writeSampleCard(dir, options);
    made[name] = dir + u'/';
    return dir + u'/';
}

qint64 readAndSplit(const QStringList& paths) {
    // The simplest way: the whole file decoded, split into lines, each line split at its commas.
    qint64 fields = 0;
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        QStringDecoder decoder("windows-31j");
        const QString text = decoder.decode(file.readAll());
        for (const QString& line : text.split(QStringLiteral("\r\n")))
            fields += line.split(u',').size();
    }
    return fields;
}

int runBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application app(argc, argv);
    platform::setUpJapaneseDesktop(app);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}

void writeBack() {
#ifndef _WIN32
    ::sync();
#endif
}

} // namespace moravel::bench
