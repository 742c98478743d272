#include "report/ReportPdf.h"

#include "common/Errors.h"
#include "common/Text.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Version.h"
#include "report/ReportPage.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QPageLayout>
#include <QPdfWriter>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace moravel::report {

namespace {

const QString Namespace = QStringLiteral("urn:moravel:report:1");

QByteArray xmp(const Provenance& p, const QString& title) {
    QByteArray bytes;
    QXmlStreamWriter w(&bytes);
    w.setAutoFormatting(true);
    w.writeProcessingInstruction(QStringLiteral("xpacket"),
                                 QStringLiteral("begin=\"\" id=\"W5M0MpCehiHzreSzNTczkc9d\""));
    w.writeStartElement(QStringLiteral("x:xmpmeta"));
    w.writeNamespace(QStringLiteral("adobe:ns:meta/"), QStringLiteral("x"));
    w.writeStartElement(QStringLiteral("rdf:RDF"));
    w.writeNamespace(QStringLiteral("http://www.w3.org/1999/02/22-rdf-syntax-ns#"), QStringLiteral("rdf"));
    w.writeStartElement(QStringLiteral("rdf:Description"));
    w.writeNamespace(QStringLiteral("http://purl.org/dc/elements/1.1/"), QStringLiteral("dc"));
    w.writeNamespace(QStringLiteral("http://ns.adobe.com/xap/1.0/"), QStringLiteral("xmp"));
    w.writeNamespace(Namespace, QStringLiteral("moravel"));
    w.writeAttribute(QStringLiteral("rdf:about"), QString());
    w.writeStartElement(QStringLiteral("dc:title"));
    w.writeStartElement(QStringLiteral("rdf:Alt"));
    w.writeStartElement(QStringLiteral("rdf:li"));
    w.writeAttribute(QStringLiteral("xml:lang"), QStringLiteral("x-default"));
    w.writeCharacters(title);
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeTextElement(QStringLiteral("xmp:CreatorTool"), p.program);
    w.writeTextElement(QStringLiteral("moravel:Program"), p.program);
    w.writeTextElement(QStringLiteral("moravel:Selection"), p.selection);
    w.writeTextElement(QStringLiteral("moravel:TimeWindow"), p.timeWindow);
    w.writeStartElement(QStringLiteral("moravel:Files"));
    w.writeStartElement(QStringLiteral("rdf:Seq"));
    for (const Provenance::File& f : p.files) {
        w.writeStartElement(QStringLiteral("rdf:li"));
        w.writeAttribute(QStringLiteral("moravel:name"), f.name);
        w.writeAttribute(QStringLiteral("moravel:sha256"), f.sha256);
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement(); // rdf:Description
    w.writeEndElement(); // rdf:RDF
    w.writeEndElement(); // x:xmpmeta
    w.writeProcessingInstruction(QStringLiteral("xpacket"), QStringLiteral("end=\"w\""));
    w.writeEndDocument();
    return bytes;
}

} // namespace

QString programName() {
    return QStringLiteral("Moravel ") + platform::versionText();
}

QList<Provenance::File> cardFiles(const QString& directory, const QStringList& names) {
    QList<Provenance::File> files;
    QStringList seen;
    for (const QString& name : names) {
        if (seen.contains(name))
            continue;
        seen.append(name);
        const QByteArray bytes = platform::readBytes(directory + name);
        files.append(
            {name, QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex())});
    }
    return files;
}

void writeReportPdf(const QString& path, int pages, const std::function<void(QPainter&, int)>& compose,
                    const Provenance& provenance) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        // One unit of the page, one pixel of its bitmap: A4 at 144 to the inch.
        writer.setResolution(144);
        const QString title = appName() + QStringLiteral(" 測定結果報告書 ") + provenance.selection;
        writer.setTitle(title);
        writer.setCreator(provenance.program);
        writer.setDocumentXmpMetadata(xmp(provenance, title));
        QPainter p;
        if (!p.begin(&writer))
            throw platform::writeError(path, QStringLiteral("the PDF could not be drawn"));
        for (int i = 0; i < pages; ++i) {
            if (i > 0 && !writer.newPage())
                throw platform::writeError(path, QStringLiteral("the PDF could not be drawn"));
            p.save();
            compose(p, i);
            p.restore();
        }
        if (!p.end())
            throw platform::writeError(path, QStringLiteral("the PDF could not be drawn"));
    }
    platform::writeFileAtomically(path, bytes);
}

std::optional<Provenance> readProvenance(const QByteArray& pdf) {
    const qsizetype begin = pdf.indexOf("<x:xmpmeta");
    const qsizetype end = pdf.indexOf("</x:xmpmeta>", begin);
    if (begin < 0 || end < 0)
        return std::nullopt;
    QXmlStreamReader r(pdf.mid(begin, end - begin + 12));
    Provenance p;
    bool ours = false;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = r.attributes();
        if (attributes.hasAttribute(Namespace, QStringLiteral("name"))) {
            p.files.append({attributes.value(Namespace, QStringLiteral("name")).toString(),
                            attributes.value(Namespace, QStringLiteral("sha256")).toString()});
            continue;
        }
        if (r.namespaceUri() != Namespace)
            continue;
        const QString name = r.name().toString();
        if (name == u"Program") {
            p.program = r.readElementText();
            ours = true;
        } else if (name == u"Selection") {
            p.selection = r.readElementText();
        } else if (name == u"TimeWindow") {
            p.timeWindow = r.readElementText();
        }
    }
    if (!ours || r.hasError())
        return std::nullopt;
    return p;
}

} // namespace moravel::report
