#include "platform/Fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QStringList>

namespace moravel::platform {

QString uiFontFamily() {
    static const QString family = [] {
        const char* const candidates[] = {"IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "Noto Sans JP"};
        auto installed = [&]() -> QString {
            const QStringList families = QFontDatabase::families();
            for (const char* candidate : candidates)
                if (families.contains(QString::fromLatin1(candidate)))
                    return QString::fromLatin1(candidate);
            return QString();
        };
        QString found = installed();
        // A build that brings its font (the Windows one) keeps it in "fonts" beside the program: the
        // report made there is the report made anywhere else.
        if (found.isEmpty() && QCoreApplication::instance()) {
            const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
            for (const QString& file :
                 fonts.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files))
                QFontDatabase::addApplicationFont(fonts.filePath(file));
            found = installed();
        }
        return found.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : found;
    }();
    return family;
}

} // namespace moravel::platform
