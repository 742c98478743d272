#include "BenchSupport.h"

#include "common/Fields.h"
#include "platform/Application.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <map>
#include <memory>

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
    qint64 fields = 0;
    FieldSplitter splitter;
    for (const QString& path : paths) {
        const QStringList lines = platform::readLines(path);
        for (const QString& line : lines)
            fields += splitter.split(line);
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

} // namespace moravel::bench
