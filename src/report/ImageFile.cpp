#include "report/ImageFile.h"

#include "common/Errors.h"
#include "platform/Files.h"

#include <QBuffer>
#include <QFileInfo>

namespace moravel::report {

QString imageBaseName(const QString& periodText) {
    QString name = periodText;
    name.remove(u'/');
    name.remove(u'\\');
    bool onlyDots = !name.isEmpty();
    for (QChar c : std::as_const(name))
        if (c != u'.')
            onlyDots = false;
    if (onlyDots)
        throw DataError(QStringLiteral("「%1」はファイル名に使えません。").arg(periodText));
    return name;
}

void saveImage(const QImage& page, const QString& path) {
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    // The page is an A4 sheet at 144 pixels to the inch: the file says so, so that it prints at its
    // size (144 / 0.0254 = 5669 pixels to the metre).
    QImage image = page;
    image.setDotsPerMeterX(PageDotsPerMeter);
    image.setDotsPerMeterY(PageDotsPerMeter);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format.constData()))
        throw DataError(QStringLiteral("%1\r\nの画像を作成できませんでした。").arg(path));
    platform::writeFileAtomically(path, bytes);
}

} // namespace moravel::report
