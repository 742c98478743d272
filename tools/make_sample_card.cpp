// make-sample-card DIR [--days N] [--start YYYYMMDD] [--seed S] [--gap-every K] [--gap-length L]
//                  [--week FLAGS] [--no-raw]
// Writes a card directory as the monitor writes it: day files, raw level files and MORVEL.TXT.
#include "SampleCard.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    moravel::tools::SampleCardOptions options;
    QString dir;
    auto usage = [] {
        std::fprintf(stderr, "usage: make-sample-card DIR [--days N] [--start YYYYMMDD] [--seed S] "
                             "[--gap-every K] [--gap-length L] [--week FLAGS] [--no-raw]\n");
        return 2;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> QString { return i + 1 < args.size() ? args[++i] : QString(); };
        bool ok = true;
        if (a == u"--days")
            options.days = value().toInt(&ok);
        else if (a == u"--start") {
            options.start = QDate::fromString(value(), QStringLiteral("yyyyMMdd"));
            ok = options.start.isValid();
        } else if (a == u"--seed")
            options.seed = value().toULongLong(&ok);
        else if (a == u"--gap-every")
            options.gapEvery = value().toInt(&ok);
        else if (a == u"--gap-length")
            options.gapLength = value().toInt(&ok);
        else if (a == u"--week") {
            options.week = value();
            ok = options.week.size() == 7;
        } else if (a == u"--no-raw")
            options.raw = false;
        else if (a.startsWith(u"--") || !dir.isEmpty())
            return usage();
        else
            dir = a;
        if (!ok)
            return usage();
    }
    if (dir.isEmpty() || options.days < 0)
        return usage();
    try {
        const QStringList stems = moravel::tools::writeSampleCard(dir, options);
        std::printf("%lld days written to %s\n", static_cast<long long>(stems.size()), qPrintable(dir));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
