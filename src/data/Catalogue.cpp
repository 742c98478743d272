#include "data/Catalogue.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace moravel::data {

bool isDayStem(const QString& stem) {
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9][0-9][0-9][0-9][0-1][0-9][0-3][0-9]")));
    return pattern.match(stem).hasMatch();
}

void splitExtension(const QString& fileName, QString& stem, QString& extension) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0) {
        stem = fileName;
        extension.clear();
    } else {
        stem = fileName.left(dot);
        extension = fileName.mid(dot);
    }
}

QStringList catalogueFromNames(const QStringList& fileNames) {
    QStringList lac;
    QSet<QString> lvc;
    for (const QString& name : fileNames) {
        QString stem, ext;
        splitExtension(name, stem, ext);
        if (ext == u".LAC" && isDayStem(stem))
            lac.append(stem);
        else if (ext == u".LVC" && isDayStem(stem))
            lvc.insert(stem);
    }
    QStringList stems;
    for (const QString& s : lac)
        if (lvc.contains(s))
            stems.append(s);
    std::sort(stems.begin(), stems.end());
    return stems;
}

} // namespace moravel::data
