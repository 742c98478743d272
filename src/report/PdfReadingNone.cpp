#include "report/PdfReading.h"

#include "common/Errors.h"

namespace moravel::report {

// A build without a PDF library (the Windows build): the reports are written all the same, and
// reading one back is refused with a reason.
PdfDocument readPdf(const QByteArray&) {
    throw DataError(QStringLiteral("この版ではPDFを読み込めません（PDFライブラリなしで作られています）。"),
                    QString(),
                    QStringLiteral("this build reads no PDF files (it is made without a PDF library)"));
}

} // namespace moravel::report
