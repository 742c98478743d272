#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace moravel::platform {

QString uiFontFamily() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const char* candidate : {"IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "Noto Sans JP"})
            if (families.contains(QString::fromLatin1(candidate)))
                return QString::fromLatin1(candidate);
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

} // namespace moravel::platform
