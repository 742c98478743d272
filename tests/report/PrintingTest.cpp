// Printing the report through a real print server: a private cupsd on its own socket with a
// cups-pdf queue, the job checked as the PDF it produces.
#include "Volumes.h"
#include "WindowTest.h"

#include "graph/ImageView.h"
#include "report/PrintForm.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>

namespace {

const QString Queue = QStringLiteral("MoravelPDF");

// The print server of this test program, started before any printer object exists so that the
// printing system takes its socket.
class PrintServer : public ::testing::Environment {
public:
    static PrintServer* instance;
    QString whyNot;
    QString socket;

    void SetUp() override {
        if (!moravel::test::runningAsRoot()) {
            whyNot = "starting a print server needs root";
            return;
        }
        const QString cupsd = QStandardPaths::findExecutable("cupsd", {"/usr/sbin", "/sbin"});
        const QString ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
        if (cupsd.isEmpty() || !QFile::exists(ppd) || !QFile::exists("/usr/lib/cups/backend/cups-pdf")) {
            whyNot = "cupsd or cups-pdf is not installed";
            return;
        }
        m_dir = std::make_unique<QTemporaryDir>();
        const QString d = m_dir->path();
        for (const char* sub : {"spool", "cache", "state", "log", "tmp"})
            QDir(d).mkpath(QString::fromLatin1(sub));
        QFile(d + "/tmp").setPermissions(QFileDevice::Permissions(0x7777));
        socket = d + "/cups.sock";
        writeText(d + "/cupsd.conf", "Listen " + socket +
                                         "\nLogLevel warn\nWebInterface No\nBrowsing Off\n"
                                         "<Location />\n Order allow,deny\n Allow all\n</Location>\n"
                                         "<Location /admin>\n Order allow,deny\n Allow all\n</Location>\n");
        writeText(d + "/cups-files.conf",
                  "ServerRoot " + d + "\nRequestRoot " + d + "/spool\nCacheDir " + d + "/cache\nStateDir " +
                      d + "/state\nTempDir " + d + "/tmp\nAccessLog " + d + "/log/access_log\nErrorLog " + d +
                      "/log/error_log\nPageLog " + d + "/log/page_log\nSystemGroup root\n");
        m_server.start(cupsd, {"-f", "-c", d + "/cupsd.conf", "-s", d + "/cups-files.conf"});
        if (!m_server.waitForStarted(10000)) {
            whyNot = "cupsd did not start";
            return;
        }
        qputenv("CUPS_SERVER", socket.toLocal8Bit());
        QElapsedTimer t;
        t.start();
        QString out;
        // The socket appears once the server listens; lpadmin fails until then.
        while (
            !moravel::test::runCommand("lpadmin", {"-p", Queue, "-v", "cups-pdf:/", "-E", "-P", ppd}, &out)) {
            if (t.elapsed() > 20000) {
                whyNot = "lpadmin failed: " + out;
                return;
            }
            QSignalSpy(&m_server, &QProcess::finished).wait(200);
        }
        ready = true;
    }

    void TearDown() override {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            m_server.waitForFinished(10000);
        }
    }

    bool ready = false;

private:
    static void writeText(const QString& path, const QString& text) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text.toUtf8());
    }
    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_server;
};

PrintServer* PrintServer::instance =
    static_cast<PrintServer*>(::testing::AddGlobalTestEnvironment(new PrintServer));

// Whether the rasterised page has a dark pixel within two pixels of (x, y).
bool darkNear(const QImage& image, int x, int y) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int xx = x + dx, yy = y + dy;
            if (xx >= 0 && yy >= 0 && xx < image.width() && yy < image.height() &&
                qGray(image.pixel(xx, yy)) < 110)
                return true;
        }
    return false;
}

// The PDF of a job titled `title` once cups-pdf has put it into the directory and the queue is
// empty; empty when that does not happen within a minute.
QString waitForPdf(const QString& pdfDir, const QString& title) {
    // The job is done when its PDF is in ~/PDF and the queue is empty.
    QFileSystemWatcher watcher({pdfDir});
    QSignalSpy changed(&watcher, &QFileSystemWatcher::directoryChanged);
    QElapsedTimer t;
    t.start();
    QString pdf;
    QString queue;
    while (t.elapsed() < 60000) {
        const QStringList found = QDir(pdfDir).entryList({title + "*.pdf"}, QDir::Files);
        moravel::test::runCommand("lpstat", {"-o", Queue}, &queue);
        if (!found.isEmpty() && queue.isEmpty()) {
            pdf = pdfDir + "/" + found.first();
            break;
        }
        changed.wait(500);
    }
    return pdf;
}

} // namespace

class Printing : public moravel::test::MainWindowTest {
protected:
    // A day's graph report in the print window; the directory the queue's PDF files go to.
    QString openTheGraphReportOfADay() {
        moravel::tools::SampleCardOptions o;
        o.days = 1;
        o.raw = false;
        chooseDirectory(makeCard(o));
        main->BtPrintGraph->click();
        const QString pdfDir = QDir::homePath() + "/PDF";
        QDir().mkpath(pdfDir);
        return pdfDir;
    }
};

TEST_F(Printing, TheReportLeavesACupsQueueAsOneA4Page) {
    PrintServer* server = PrintServer::instance;
    if (!server->ready)
        GTEST_SKIP() << server->whyNot.toStdString();
    const QString pdfDir = openTheGraphReportOfADay();
    const QString title = QStringLiteral("moravel-test-%1").arg(QCoreApplication::applicationPid());
    for (const QString& old : QDir(pdfDir).entryList({title + "*"}, QDir::Files))
        QFile::remove(pdfDir + "/" + old);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(Queue);
    ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
    printer.setDocName(title);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Point);
    main->FmPrint->PrintPage(printer);

    const QString pdf = waitForPdf(pdfDir, title);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF from the queue";
    QString info;
    ASSERT_TRUE(moravel::test::runCommand("pdfinfo", {pdf}, &info));
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12]")))
        << info.toStdString();

    // The page reached the printer as the preview's bitmap, without loss.
    const QString images = tmp.filePath("image");
    ASSERT_TRUE(moravel::test::runCommand("pdfimages", {"-png", pdf, images}));
    const QImage printed(images + "-000.png");
    ASSERT_FALSE(printed.isNull());
    EXPECT_EQ(printed.convertToFormat(QImage::Format_RGB32),
              main->FmPrint->Print_Image->bitmap().convertToFormat(QImage::Format_RGB32));

    // The page as an image at 144 dpi, two pixels per point, where one pixel of the report is about
    // one pixel of the raster. The report fills the printable area.
    const QString png = tmp.filePath("page");
    ASSERT_TRUE(moravel::test::runCommand("pdftoppm", {"-r", "144", "-png", "-singlefile", pdf, png}));
    const QImage page(png + ".png");
    ASSERT_FALSE(page.isNull());
    auto at = [&](double x, double y) {
        return QPoint(static_cast<int>(2 * (printable.left() + x / 1191.0 * printable.width())),
                      static_cast<int>(2 * (printable.top() + y / 1684.0 * printable.height())));
    };
    // The baselines of both plots and the vertical axis.
    for (double x : {200.0, 600.0, 1000.0}) {
        const QPoint s = at(x, 705), v = at(x, 1005);
        EXPECT_TRUE(darkNear(page, s.x(), s.y())) << x;
        EXPECT_TRUE(darkNear(page, v.x(), v.y())) << x;
    }
    const QPoint axis = at(125, 600);
    EXPECT_TRUE(darkNear(page, axis.x(), axis.y()));
    // Nothing in the empty band between the header and the graph title.
    const QPoint blank = at(600, 340);
    EXPECT_FALSE(darkNear(page, blank.x(), blank.y()));
    QFile::remove(pdf);
}

TEST_F(Printing, AFailedPrintLeavesTheNextOneWorking) {
    PrintServer* server = PrintServer::instance;
    if (!server->ready)
        GTEST_SKIP() << server->whyNot.toStdString();
    const QString pdfDir = openTheGraphReportOfADay();
    const QString title = QStringLiteral("moravel-again-%1").arg(QCoreApplication::applicationPid());
    QPrinter& setup = *main->FmPrint->PrinterSetupDialog1;
    setup.setDocName(title);
    // A file that cannot be written: the print fails with the message naming it.
    setup.setOutputFormat(QPrinter::PdfFormat);
    setup.setOutputFileName(tmp.filePath("missing/page.pdf"));
    main->FmPrint->Print->click();
    ASSERT_EQ(dialogs.texts("error").size(), 1);
    EXPECT_TRUE(dialogs.texts("error").first().startsWith(tmp.filePath("missing/page.pdf") + "\r\n"))
        << dialogs.texts("error").first().toStdString();
    // The queue chosen afterwards prints the page.
    setup.setPrinterName(Queue);
    ASSERT_EQ(setup.outputFormat(), QPrinter::NativeFormat);
    main->FmPrint->Print->click();
    EXPECT_EQ(dialogs.texts("error").size(), 1);
    const QString pdf = waitForPdf(pdfDir, title);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF from the queue after the failed print";
    QString info;
    ASSERT_TRUE(moravel::test::runCommand("pdfinfo", {pdf}, &info));
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    QFile::remove(pdf);
    dialogs.clear();
}
