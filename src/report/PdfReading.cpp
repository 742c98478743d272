#include "report/PdfReading.h"

#include "common/Errors.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <stdexcept>

namespace moravel::report {

namespace {

// Collects what a stream decodes to, up to the limit.
class Collect : public Pipeline {
public:
    Collect() : Pipeline("collect", nullptr) {}
    void write(unsigned char const* data, size_t len) override {
        if (static_cast<qsizetype>(len) > MaxPdfBytes - bytes.size())
            throw std::length_error("a stream decodes to more than 64 MB");
        bytes.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(len));
    }
    void finish() override {}
    QByteArray bytes;
};

} // namespace

PdfDocument readPdf(const QByteArray& bytes) {
    if (!bytes.startsWith("%PDF-"))
        throw DataError(QStringLiteral("not a PDF file"));
    if (bytes.size() > MaxPdfBytes)
        throw DataError(QStringLiteral("larger than any report (64 MB)"));
    PdfDocument doc;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        // A damaged file is reported, never mended: a repaired file is not the file that was made.
        pdf.setAttemptRecovery(false);
        pdf.processMemoryFile("report", bytes.constData(), static_cast<size_t>(bytes.size()));
        QPDFObjectHandle metadata = pdf.getRoot().getKey("/Metadata");
        if (metadata.isStream()) {
            Collect collect;
            if (!metadata.pipeStreamData(&collect, 0, qpdf_dl_generalized))
                throw std::runtime_error("its metadata cannot be decoded");
            doc.metadata = collect.bytes;
        }
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            Collect collect;
            page.pipeContents(&collect);
            doc.pages.append(collect.bytes);
        }
        if (pdf.anyWarnings())
            throw std::runtime_error("it is damaged");
    } catch (const DataError&) {
        throw;
    } catch (const std::exception& e) {
        throw DataError(QStringLiteral("cannot be read as a PDF: ") + QString::fromUtf8(e.what()));
    }
    return doc;
}

} // namespace moravel::report
