// make-icon DIR: writes the application's icon into DIR as an icon theme lays it out:
// scalable/apps/ID.svg and NxN/apps/ID.png for the sizes desktops ask for.
#include "platform/Icon.h"

#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make-icon DIR\n", stderr);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QString id = moravel::platform::applicationId();
    const QString svgDir = dir + QStringLiteral("/scalable/apps");
    QFile svg(svgDir + u'/' + id + QStringLiteral(".svg"));
    if (!QDir().mkpath(svgDir) || !svg.open(QIODevice::WriteOnly) ||
        svg.write(moravel::platform::applicationIconSvg()) < 0 || !svg.flush()) {
        std::fprintf(stderr, "make-icon: cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString pngDir = dir + QStringLiteral("/%1x%1/apps").arg(size);
        const QString png = pngDir + u'/' + id + QStringLiteral(".png");
        if (!QDir().mkpath(pngDir) || !moravel::platform::applicationIconImage(size).save(png, "PNG")) {
            std::fprintf(stderr, "make-icon: cannot write %s\n", qPrintable(png));
            return 1;
        }
    }
    return 0;
}
