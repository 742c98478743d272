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
    w.writeTextElement(QStringLiteral("moravel:SettingsFile"), p.settingsFile);
    w.writeStartElement(QStringLiteral("moravel:Options"));
    w.writeStartElement(QStringLiteral("rdf:Seq"));
    for (const QStringList& option : p.options)
        w.writeTextElement(QStringLiteral("rdf:li"), option.join(u'\t'));
    w.writeEndElement();
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("moravel:Listing"));
    w.writeStartElement(QStringLiteral("rdf:Seq"));
    for (const QString& name : p.listing)
        w.writeTextElement(QStringLiteral("rdf:li"), name);
    w.writeEndElement();
    w.writeEndElement();
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

bool isPlainCardName(const QString& name) {
    if (name.isEmpty() || name.size() > 255 || name == u"." || name == u"..")
        return false;
    for (const QChar c : name)
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

std::optional<Provenance> readProvenance(const QByteArray& metadata) {
    QXmlStreamReader r(metadata);
    Provenance p;
    bool ours = false;
    QString within; // the record's list being read: Options, Listing or Files
    while (!r.atEnd()) {
        const QXmlStreamReader::TokenType token = r.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (r.namespaceUri() == Namespace && r.name() == within)
                within.clear();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = r.attributes();
        if (within == u"Files" && attributes.hasAttribute(Namespace, QStringLiteral("name"))) {
            p.files.append({attributes.value(Namespace, QStringLiteral("name")).toString(),
                            attributes.value(Namespace, QStringLiteral("sha256")).toString()});
            continue;
        }
        if (r.name() == u"li" && within == u"Options") {
            p.options.append(r.readElementText().split(u'\t'));
            continue;
        }
        if (r.name() == u"li" && within == u"Listing") {
            p.listing.append(r.readElementText());
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
        } else if (name == u"SettingsFile") {
            p.settingsFile = r.readElementText();
        } else if (name == u"Options" || name == u"Listing" || name == u"Files") {
            within = name;
        }
    }
    if (!ours || r.hasError())
        return std::nullopt;
    return p;
}

} // namespace moravel::report
