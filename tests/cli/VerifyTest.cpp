// verify: a report's "yes" only where the card makes the report as it stands, and a "no" with the
// reason for everything else.
#include "CliRun.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

using moravel::test::cli;
using moravel::test::CliResult;
using moravel::test::readBytes;
using moravel::test::writeBytes;

namespace {

class Verify : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        card = tmp.filePath("card");
        moravel::tools::writeSampleCard(card, moravel::test::cardOptions(6));
        pdf = tmp.filePath("period.pdf");
        ASSERT_EQ(report(card, pdf).code, 0);
    }

    // The report of days 2 to 5 of a card with the choices a user would make.
    CliResult report(const QString& dir, const QString& file) {
        return cli({"report", dir, file, "--period", "20210302", "20210305", "--from", "08:00", "--to",
                    "18:00", "--kind", "table", "--columns", "L05,Lmax"});
    }
    // verify of a file against the card: its exit status and what it says on standard error.
    CliResult verify(const QString& file) { return cli({"verify", file, card}); }

    QTemporaryDir tmp;
    QString card, pdf;
};

// Replaces every occurrence of a text by one of the same length, leaving the PDF's offsets valid.
QByteArray replaced(QByteArray bytes, const QByteArray& from, const QByteArray& to) {
    EXPECT_EQ(from.size(), to.size());
    EXPECT_TRUE(bytes.contains(from));
    return bytes.replace(from, to);
}

} // namespace

TEST_F(Verify, TheCardThatMadeTheReportVerifiesIt) {
    const CliResult r = verify(pdf);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("20210305.LVC: as the report read it\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.endsWith("the card gives the report (period 20210302 20210305, Moravel 1.0.1.6): every "
                               "file as it read it, every page as it shows\n"))
        << r.out.toStdString();
    const CliResult quiet = cli({"verify", pdf, card, "--quiet"});
    EXPECT_EQ(quiet.code, 0);
    EXPECT_EQ(quiet.out + quiet.err, "");
    // The same inputs make the same pages: a second report verifies against the first one's card.
    const QString second = tmp.filePath("second.pdf");
    ASSERT_EQ(report(card, second).code, 0);
    EXPECT_EQ(verify(second).code, 0);
}

TEST_F(Verify, WhatIsNotAReportOfThisCardIsANoWithItsReason) {
    const QByteArray bytes = readBytes(pdf);
    const qsizetype begin = bytes.indexOf("<?xpacket begin");
    const qsizetype end = bytes.indexOf("<?xpacket end=\"w\"?>") + 19;
    ASSERT_GT(begin, 0);
    const QByteArray packet = bytes.mid(begin, end - begin);
    struct Case {
        const char* name;
        QByteArray bytes;
        QString says;
    };
    QList<Case> cases;
    cases.append({"only the record", packet, "not a PDF file"});
    cases.append({"cut short", bytes.left(bytes.size() * 6 / 10), "cannot be read as a PDF"});
    {
        const QString other = tmp.filePath("other.pdf");
        {
            QPdfWriter writer(other);
            QPainter p(&writer);
            p.drawText(100, 100, "not a report");
        }
        // The record pasted into a comment of its page, uncompressed: its bytes are in the file.
        QByteArray comment;
        for (const QByteArray& line : packet.split('\n'))
            comment += '%' + line + '\n';
        QPDF doc;
        const std::string otherName = other.toStdString();
        doc.processFile(otherName.c_str());
        QPDFPageDocumentHelper(doc).getAllPages()[0].addPageContents(
            QPDFObjectHandle::newStream(&doc, comment.toStdString()), true);
        const QString pasted = tmp.filePath("pasted.pdf");
        const std::string pastedName = pasted.toStdString(); // the writer keeps the name until it writes
        QPDFWriter writer(doc, pastedName.c_str());
        writer.setCompressStreams(false);
        writer.write();
        ASSERT_TRUE(readBytes(pasted).contains("<moravel:Program>"));
        cases.append({"another program's PDF", readBytes(pasted), "not a report of Moravel"});
    }
    cases.append({"metadata taken out of the catalog", replaced(bytes, "/Metadata", "/Metadatx"),
                  "holds no record of what it was made from"});
    cases.append({"a record naming a file outside the card", replaced(bytes, "20210301.LAC", "../../dev/ze"),
                  "its record names a file outside the card (../../dev/ze); nothing was read"});
    for (const Case& c : cases) {
        const QString file = tmp.filePath("case.pdf");
        writeBytes(file, c.bytes);
        const CliResult r = verify(file);
        EXPECT_EQ(r.code, 1) << c.name;
        EXPECT_TRUE(r.err.contains(c.says)) << c.name << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, "") << c.name;
    }
}

TEST_F(Verify, APageEditedAfterTheFactIsNamed) {
    QPDF doc;
    const std::string pdfName = pdf.toStdString();
    doc.processFile(pdfName.c_str());
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(doc).getAllPages();
    ASSERT_EQ(pages.size(), 1u);
    // A line drawn over the page: the metadata stays as it was.
    pages[0].addPageContents(QPDFObjectHandle::newStream(&doc, "0 0 m 100 100 l S\n"), false);
    const QString edited = tmp.filePath("edited.pdf");
    const std::string editedName = edited.toStdString(); // the writer keeps the name until it writes
    QPDFWriter writer(doc, editedName.c_str());
    writer.write();
    const CliResult r = verify(edited);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("page 1 differs from what the card gives")) << r.err.toStdString();
}

TEST_F(Verify, ACardThatChangedSinceIsANo) {
    // A report made from a copy of the card with a day removed does not verify against the card.
    const QString copy = tmp.filePath("copy");
    QDir().mkpath(copy);
    for (const QString& name : QDir(card).entryList(QDir::Files))
        if (!name.startsWith("20210304"))
            QFile::copy(card + "/" + name, copy + "/" + name);
    const QString fromCopy = tmp.filePath("copy.pdf");
    ASSERT_EQ(report(copy, fromCopy).code, 0);
    CliResult r = verify(fromCopy);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.contains("20210304.LAC: added to the card since the report was made"))
        << r.out.toStdString();
    EXPECT_TRUE(r.err.contains("the card does not hold what the report")) << r.err.toStdString();
    // A settings file that appeared since.
    const QString noSettings = tmp.filePath("bare");
    moravel::tools::writeSampleCard(noSettings, moravel::test::cardOptions(6));
    ASSERT_TRUE(QFile::remove(noSettings + "/MORVEL.TXT"));
    const QString bare = tmp.filePath("bare.pdf");
    ASSERT_EQ(report(noSettings, bare).code, 0);
    r = cli({"verify", bare, noSettings});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    QFile::copy(card + "/MORVEL.TXT", noSettings + "/MORVEL.TXT");
    r = cli({"verify", bare, noSettings});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("MORVEL.TXT: absent when the report was made, read now"))
        << r.err.toStdString();
    // A day file changed by one byte.
    QByteArray day = readBytes(card + "/20210303.LVC");
    day[day.size() - 3] = day[day.size() - 3] == '1' ? '2' : '1';
    writeBytes(card + "/20210303.LVC", day);
    r = verify(pdf);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.contains("20210303.LVC: changed since the report was made\n")) << r.out.toStdString();
}
