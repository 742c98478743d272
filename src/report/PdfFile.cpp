#include "report/PdfFile.h"

#include "common/Errors.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace moravel::report {

void writeImagePdf(const QString& path, const QList<QImage>& pages) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setResolution(144);
        QPainter p;
        if (!p.begin(&writer))
            throw DataError(platform::writeFailure(path));
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.setRenderHint(QPainter::LosslessImageRendering, true);
        for (int i = 0; i < pages.size(); ++i) {
            if (i > 0 && !writer.newPage())
                throw DataError(platform::writeFailure(path));
            p.drawImage(QRect(0, 0, writer.width(), writer.height()), pages[i]);
        }
        p.end();
    }
    platform::writeFileAtomically(path, bytes);
}

} // namespace moravel::report
