// moravel-cli against the windows it drives: the same files, the same pages.
#include "CliRun.h"
#include "Volumes.h"
#include "WindowTest.h"

#include "common/LevelStat.h"
#include "export/CSVConvert.h"
#include "graph/ImageView.h"
#include "platform/TextFile.h"
#include "platform/Volume.h"
#include "report/PrintForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>

using moravel::platform::Answer;
using moravel::test::MainWindowTest;

namespace {

using Result = moravel::test::CliResult;
using moravel::test::cli;

// The files of a directory by name, with their bytes.
QMap<QString, QByteArray> filesOf(const QString& dir) {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(dir).entryList(QDir::Files))
        files.insert(name, moravel::test::readBytes(dir + "/" + name));
    return files;
}

} // namespace

class Cli : public MainWindowTest {
protected:
    // The export window's files for a selection made by `select`, in a fresh directory.
    QString exportThroughTheWindow(const QString& name, bool bulk, const std::function<void()>& select) {
        select();
        const QString dir = tmp.filePath(name);
        QDir().mkpath(dir);
        main->BtCSVConvert->click();
        dialogs.chooseFolder(dir);
        main->FmCSVConvert->BtDirSettings->click();
        main->FmCSVConvert->DModeConvert->setChecked(bulk);
        dialogs.answer(Answer::Yes);
        main->FmCSVConvert->BtConvertStart->click();
        EXPECT_EQ(dialogs.texts("information").last(), QStringLiteral("変換が完了しました。"));
        return dir;
    }
};

TEST_F(Cli, CsvFilesAreTheWindowsFiles) {
    const QString cardDir = makeCard(moravel::test::cardOptions(3, true));
    chooseDirectory(cardDir);
    const QString day = exportThroughTheWindow("day", false, [&] { main->BtDateDown->click(); });
    const QString period = exportThroughTheWindow("period", false, [&] { choosePeriod(0, 2); });
    const QString all = exportThroughTheWindow("all", true, [&] { main->RbDateDMode->setChecked(true); });

    const Result d = cli({"csv", cardDir, tmp.filePath("cli-day"), "--day", "20210302"});
    EXPECT_EQ(d.code, 0) << d.err.toStdString();
    const Result p = cli({"csv", cardDir, tmp.filePath("cli-period"), "--period", "20210301", "20210303"});
    EXPECT_EQ(p.code, 0) << p.err.toStdString();
    const Result a = cli({"csv", cardDir, tmp.filePath("cli-all"), "--all"});
    EXPECT_EQ(a.code, 0) << a.err.toStdString();
    EXPECT_EQ(filesOf(tmp.filePath("cli-day")).keys().size(), 5);
    EXPECT_EQ(filesOf(tmp.filePath("cli-day")), filesOf(day));
    EXPECT_EQ(filesOf(tmp.filePath("cli-period")), filesOf(period));
    EXPECT_EQ(filesOf(tmp.filePath("cli-all")).size(), 12);
    EXPECT_EQ(filesOf(tmp.filePath("cli-all")), filesOf(all));

    // Existing files are an error unless --overwrite, and stay as they were.
    const QByteArray before = moravel::test::readBytes(tmp.filePath("cli-day/20210302.csv"));
    moravel::test::writeBytes(tmp.filePath("cli-day/20210302.csv"), "mine");
    const Result again = cli({"csv", cardDir, tmp.filePath("cli-day"), "--day", "20210302"});
    EXPECT_EQ(again.code, 1);
    EXPECT_EQ(again.err, QStringLiteral("moravel-cli: %1: the file exists (--overwrite replaces it)\n")
                             .arg(tmp.filePath("cli-day/20210302.csv")));
    EXPECT_EQ(moravel::test::readBytes(tmp.filePath("cli-day/20210302.csv")), QByteArray("mine"));
    EXPECT_EQ(cli({"csv", cardDir, tmp.filePath("cli-day"), "--day", "20210302", "--overwrite"}).code, 0);
    EXPECT_EQ(moravel::test::readBytes(tmp.filePath("cli-day/20210302.csv")), before);
}

TEST_F(Cli, ReportsAreThePreviewsPages) {
    const QString cardDir = makeCard(moravel::test::cardOptions(5));
    chooseDirectory(cardDir);
    main->TabItem2->RbSS->setChecked(true);
    main->TabItem2->CbSMode->setCurrentIndex(8);
    choosePeriod(1, 3);
    main->TabItem2->Button2->click();         // no noise series but ...
    main->TabItem2->CbL50S->setChecked(true); // ... L50
    main->TabItem2->CbLmaxS->setChecked(true);
    main->TabItem2->CbLeqV->setChecked(false);
    main->TabItem2->CbLeV->setChecked(false);
    for (QCheckBox* b : main->TabItem2->VSeriesBoxes())
        b->setChecked(b == main->TabItem2->CbL50V || b == main->TabItem2->CbLmaxV);
    main->BtPrintOut->click();
    const QImage preview = main->FmPrint->Print_Image->bitmap();
    const QString png = tmp.filePath("report.png");
    const Result r = cli({"report", cardDir, png, "--period", "20210302", "20210304", "--kind", "full",
                          "--noise-level", "Lmax", "--series", "L50,Lmax"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QImage saved(png);
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), preview.convertToFormat(QImage::Format_RGB32));

    const QString pdf = tmp.filePath("days.pdf");
    const Result each =
        cli({"report", cardDir, pdf, "--period", "20210301", "20210305", "--each-day", "--kind", "table"});
    ASSERT_EQ(each.code, 0) << each.err.toStdString();
    QString info;
    if (moravel::test::onWindows())
        GTEST_SKIP() << "a Windows program does not start the Linux tools (pdfinfo, pdffonts, identify)";
    ASSERT_TRUE(moravel::test::runCommand("pdfinfo", {pdf}, &info));
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+5\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("(A4)"));
    EXPECT_TRUE(QDir(tmp.path()).entryList({".moravel-*"}, QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(Cli, GraphsAreTheMainWindowsGraphs) {
    const QString cardDir = makeCard(moravel::test::cardOptions(2));
    chooseDirectory(cardDir);
    main->TabItem2->CbVMode->setCurrentIndex(6);
    const QImage onScreen = main->TabItem2->ImVGraph->bitmap();
    const QString png = tmp.filePath("v.png");
    const Result r = cli({"graph", cardDir, png, "--day", "20210301", "--channel", "V", "--level", "Lmin"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32),
              onScreen.convertToFormat(QImage::Format_RGB32));
    const Result sized = cli({"graph", cardDir, tmp.filePath("s.png"), "--period", "20210301", "20210302",
                              "--channel", "S", "--size", "600x300"});
    ASSERT_EQ(sized.code, 0);
    EXPECT_EQ(QImage(tmp.filePath("s.png")).size(), QSize(600, 300));
}

TEST(CliCommands, DaysCheckCapacityVersionAndUsage) {
    QTemporaryDir tmp;
    const QString cardDir = tmp.filePath("card");
    moravel::tools::writeSampleCard(cardDir, moravel::test::cardOptions(3));
    QStringList lines = moravel::platform::readLines(cardDir + "/20210302.LAC");
    lines[14] = "START,8:00";
    moravel::test::writeDeviceFile(cardDir + "/20210302.LAC", lines);

    const Result days = cli({"days", cardDir});
    EXPECT_EQ(days.code, 0);
    EXPECT_EQ(days.out, "20210301\n20210302\n20210303\n");
    const Result check = cli({"check", cardDir});
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(check.out, QStringLiteral("20210302 20210302.LAC は破損しています。\n"
                                        "file system not known (not the root of a volume, or its type cannot "
                                        "be told): the monitor takes FAT32 cards only\n"));
    const Result capacity = cli({"capacity", cardDir});
    EXPECT_EQ(capacity.code, 0);
    EXPECT_TRUE(capacity.out.startsWith(QStringLiteral("残り容量 : "))) << capacity.out.toStdString();
    EXPECT_TRUE(capacity.out.contains(QStringLiteral("\n記録可能の日数 : ")));
    EXPECT_EQ(cli({"version"}).out, "1.0.1.6\n");

    EXPECT_EQ(cli({}).code, 2);
    EXPECT_EQ(cli({"csv", cardDir}).code, 2);
    EXPECT_EQ(cli({"csv", cardDir, tmp.filePath("o"), "--day", "20210301", "--all"}).code, 2);
    EXPECT_EQ(cli({"report", cardDir, tmp.filePath("r.gif"), "--day", "20210301"}).code, 2);
    EXPECT_EQ(cli({"graph", cardDir, tmp.filePath("g.png"), "--day", "20210301", "--channel", "X"}).code, 2);
    // --size of either graph: its own smallest picture, the same words.
    const struct {
        QStringList extra;
        QString size;
        QString smallest;
    } sizes[] = {{{"--channel", "S"}, "39x20", "40x20"},
                 {{"--channel", "S"}, "40x", "40x20"},
                 {{"--channel", "S"}, "8001x300", "40x20"},
                 {{"--raw"}, "199x160", "200x160"},
                 {{"--raw"}, "800", "200x160"}};
    for (const auto& c : sizes) {
        const Result r =
            cli(QStringList{"graph", cardDir, tmp.filePath("g.png"), "--day", "20210301", "--size", c.size} +
                c.extra);
        EXPECT_EQ(r.code, 2) << c.size.toStdString();
        EXPECT_TRUE(
            r.err.startsWith(QStringLiteral("moravel-cli: --size %1: the size is WxH, from %2 to 8000x8000\n")
                                 .arg(c.size, c.smallest)))
            << r.err.toStdString();
    }
    EXPECT_TRUE(
        cli({"graph", cardDir, tmp.filePath("g.png"), "--day", "20210301", "--channel", "S", "--size", "1x1"},
            "ja_JP.UTF-8")
            .err.startsWith(
                QStringLiteral("moravel-cli: --size 1x1: 大きさは 40x20 から 8000x8000 までの WxH です\n")));
    EXPECT_FALSE(QFile::exists(tmp.filePath("g.png")));
    const Result help = cli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains("\n  report    CARD FILE SELECTION ")) << help.out.toStdString();

    const Result missingDay = cli({"report", cardDir, tmp.filePath("r.png"), "--day", "20991231"});
    EXPECT_EQ(missingDay.code, 1);
    const Result broken = cli({"report", cardDir, tmp.filePath("r.png"), "--day", "20210302"});
    EXPECT_EQ(broken.code, 1);
    EXPECT_EQ(broken.err, QStringLiteral("moravel-cli: 20210302: 20210302.LAC は破損しています。\n"));
    EXPECT_FALSE(QFile::exists(tmp.filePath("r.png")));
    const Result longPeriod = cli({"csv", cardDir, tmp.filePath("o"), "--period", "20210303", "20210301"});
    EXPECT_EQ(longPeriod.code, 2);
    EXPECT_TRUE(longPeriod.err.startsWith(
        "moravel-cli: --period 20210303 20210301: the last day is before the first\n"))
        << longPeriod.err.toStdString();
    EXPECT_EQ(cli({"days", tmp.filePath("missing")}).code, 1);
}

TEST(CliCommands, CheckSaysWhatTheApplicationWouldDoWithEveryPartOfTheCard) {
    QTemporaryDir tmp;
    const QString cardDir = tmp.filePath("card");
    moravel::tools::writeSampleCard(cardDir, moravel::test::cardOptions(3));
    const QString unknownFileSystem =
        QStringLiteral("file system not known (not the root of a volume, or its type cannot be told): the "
                       "monitor takes FAT32 cards only");
    const Result sound = cli({"check", cardDir});
    EXPECT_EQ(sound.code, 0);
    EXPECT_EQ(sound.out, QStringLiteral("the card is sound: 3 measured days, MORVEL.TXT readable, ") +
                             unknownFileSystem + "\n");
    // A broken STOP line of the .LAC file: the application resets without a message.
    QStringList lines = moravel::platform::readLines(cardDir + "/20210303.LAC");
    lines[15] = "STOP,1800";
    moravel::test::writeDeviceFile(cardDir + "/20210303.LAC", lines);
    // A settings file the application calls broken.
    QStringList settings = moravel::platform::readLines(cardDir + "/MORVEL.TXT");
    settings[13] = "WEEK,11111";
    moravel::test::writeDeviceFile(cardDir + "/MORVEL.TXT", settings);
    const Result broken = cli({"check", cardDir});
    EXPECT_EQ(broken.code, 1);
    EXPECT_EQ(
        broken.out,
        QStringLiteral("20210303 rejected without a message: the STOP line of 20210303.LAC has no colon "
                       "as its 8th character\n"
                       "MORVEL.TXT MORVEL.TXTは破損しています\n") +
            unknownFileSystem + "\n");
}

// ---- real volumes, used by an ordinary user ----

TEST(CardsOfOrdinaryUsers, TheFat32GuardNeedsNoAccessToTheDevice) {
    QTemporaryDir tmp;
    const QString base = moravel::test::userReadableDirectory(tmp.path(), "volumes");
    const QString card = tmp.filePath("card");
    moravel::tools::writeSampleCard(card, moravel::test::cardOptions(1));
    for (int fatSize : {32, 16}) {
        QString whyNot;
        auto volume = moravel::test::ScratchVolume::fat(
            base + QStringLiteral("/fat%1").arg(fatSize),
            tmp.filePath(QStringLiteral("fat%1.img").arg(fatSize)), fatSize, whyNot, card);
        if (!volume)
            GTEST_SKIP() << whyNot.toStdString();
        // As root the device is read: the guard knows.
        EXPECT_EQ(moravel::platform::fileSystemName(volume->path()), fatSize == 32 ? "FAT32" : "FAT");
        // An ordinary user cannot read the device: the kernel's cluster count or the udev database tell,
        // and where neither does (a FUSE mount without udev), the guard does not claim FAT32.
        const moravel::test::UserRun run =
            moravel::test::runAsUser(QStringLiteral(MORAVEL_CLI), {"check", volume->path()});
        ASSERT_NE(run.code, -1) << "moravel-cli check did not finish as an ordinary user";
        // A card the monitor will not take is not sound; a file system that cannot be told is no reason.
        EXPECT_EQ(run.code, run.out.contains("file system FAT:") ? 1 : 0)
            << run.out.toStdString() << run.err.toStdString();
        if (fatSize == 16) {
            const Result root = cli({"check", volume->path()});
            EXPECT_EQ(root.code, 1) << root.out.toStdString();
            EXPECT_TRUE(root.out.endsWith("file system FAT: the monitor takes FAT32 cards only\n"))
                << root.out.toStdString();
        }
        const QString claimed = QStringLiteral("file system FAT32: the monitor takes this card");
        if (fatSize == 16) {
            EXPECT_FALSE(run.out.contains(claimed)) << run.out.toStdString();
        } else if (volume->kernelFat()) {
            EXPECT_TRUE(run.out.contains(claimed)) << run.out.toStdString();
        }
        EXPECT_TRUE(run.out.contains("file system")) << run.out.toStdString();
    }
}

TEST(CardsOfOrdinaryUsers, AWriteProtectedFileIsNotReplacedAndAReplacedOneKeepsItsPermissions) {
    if (!moravel::test::runningAsRoot())
        GTEST_SKIP() << "handing files to another user needs root";
    QTemporaryDir tmp;
    const QString base = moravel::test::userReadableDirectory(tmp.path(), "user");
    const QString card = base + "/card";
    moravel::tools::writeSampleCard(card, moravel::test::cardOptions(1, true));
    const QString out = base + "/out";
    QDir().mkpath(out);
    ASSERT_TRUE(moravel::test::runCommand("chown", {"-R", "65534:65534", out}));
    for (const char* name : {"20210301_LA.csv", "20210301_LAC.csv"})
        moravel::test::writeBytes(out + "/" + name, "old");
    QFile::setPermissions(out + "/20210301_LA.csv", QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QFile::setPermissions(out + "/20210301_LAC.csv",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    ASSERT_TRUE(moravel::test::runCommand(
        "chown", {"65534:65534", out + "/20210301_LA.csv", out + "/20210301_LAC.csv"}));
    const moravel::test::UserRun run = moravel::test::runAsUser(
        QStringLiteral(MORAVEL_CLI), {"csv", card, out, "--day", "20210301", "--overwrite"});
    EXPECT_EQ(run.code, 1) << run.err.toStdString();
    // The file and the system's reason; the files the failed run made are gone, the one it replaced
    // is replaced.
    EXPECT_EQ(run.err, QStringLiteral("moravel-cli: %1/20210301_LA.csv: Permission denied\n").arg(out));
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"20210301_LA.csv", "20210301_LAC.csv"}));
    EXPECT_EQ(moravel::test::readBytes(out + "/20210301_LA.csv"), QByteArray("old"));
    EXPECT_NE(moravel::test::readBytes(out + "/20210301_LAC.csv"), QByteArray("old"));
    EXPECT_EQ(QFile::permissions(out + "/20210301_LAC.csv"),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser | QFileDevice::ReadGroup);
    EXPECT_TRUE(QDir(out).entryList({".*.tmp"}, QDir::Files | QDir::Hidden).isEmpty());

    // A directory the user may not write into: neither the output directory nor a file is made.
    const QString locked = base + "/locked";
    QDir().mkpath(locked);
    const moravel::test::UserRun refused = moravel::test::runAsUser(
        QStringLiteral(MORAVEL_CLI), {"report", card, locked + "/new/day.png", "--day", "20210301"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, QStringLiteral("moravel-cli: %1/new: cannot make the output directory: %1: "
                                          "Permission denied\n")
                               .arg(locked));
    EXPECT_TRUE(QDir(locked).isEmpty());
}

TEST(CardsOfOrdinaryUsers, ABulkConversionNearAFullDiskFailsAtTheSameFileAndLeavesNothing) {
    QTemporaryDir tmp;
    const QString card = tmp.filePath("card");
    moravel::tools::writeSampleCard(card, moravel::test::cardOptions(4, true));
    QString whyNot;
    // Room for three of the eight raw CSV files of 2.3 MB, and every day CSV.
    auto volume = moravel::test::ScratchVolume::tmpfs(tmp.filePath("small"), "8m", whyNot);
    if (!volume)
        GTEST_SKIP() << whyNot.toStdString();
    // One file after the other: the fourth raw file is the first that does not fit, every time; the
    // failed run takes away the directory and the files it made.
    const QString out = volume->path() + QStringLiteral("/run/csv");
    for (int run = 0; run < 3; ++run) {
        const Result r = cli({"csv", card, out, "--all"});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err.section('\n', 0, 0),
                  QStringLiteral("moravel-cli: %1/20210302_LV.csv: No space left on device").arg(out))
            << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(QDir(volume->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList())
            << run;
    }
}

// ---- reports on paper ----

namespace {

// The share of a page's pixels that another rendering of it has alike, outside the page's texts:
// every pixel of a colour the report does not draw lines in (the grey edges of glyphs) marks a
// text, with three pixels around it.
double sameOutsideText(const QImage& page, const QImage& other) {
    const QImage a = page.convertToFormat(QImage::Format_RGB32);
    const QImage b = other.convertToFormat(QImage::Format_RGB32);
    const int w = std::min(a.width(), b.width()), h = std::min(a.height(), b.height());
    QSet<QRgb> drawn = {0xFFFFFFFF, 0xFF000000};
    for (int stat = 0; stat < moravel::LevelStatCount; ++stat)
        drawn.insert(moravel::levelStatColour(stat));
    std::vector<char> text(static_cast<size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!drawn.contains(a.pixel(x, y)))
                for (int yy = std::max(0, y - 3); yy <= std::min(h - 1, y + 3); ++yy)
                    for (int xx = std::max(0, x - 3); xx <= std::min(w - 1, x + 3); ++xx)
                        text[static_cast<size_t>(yy) * w + xx] = 1;
    qint64 same = 0, all = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!text[static_cast<size_t>(y) * w + x]) {
                ++all;
                same += a.pixel(x, y) == b.pixel(x, y);
            }
    return all ? static_cast<double>(same) / all : 0;
}

} // namespace

TEST(ReportsOnPaper, ThePdfIsTheSamePageInLinesAndText) {
    QTemporaryDir tmp;
    const QString cardDir = tmp.filePath("card");
    moravel::tools::writeSampleCard(cardDir, moravel::test::cardOptions(7));
    const QString png = tmp.filePath("day.png"), pdf = tmp.filePath("day.pdf");
    for (const QString& file : {png, pdf})
        ASSERT_EQ(cli({"report", cardDir, file, "--day", "20210302"}).code, 0);
    QString fonts;
    if (moravel::test::onWindows())
        GTEST_SKIP() << "a Windows program does not start the Linux tools (pdfinfo, pdffonts, identify)";
    ASSERT_TRUE(moravel::test::runCommand("pdffonts", {pdf}, &fonts));
    EXPECT_TRUE(fonts.contains(QRegularExpression("IPAGothic\\s.*\\byes\\b"))) << fonts.toStdString();
    ASSERT_TRUE(moravel::test::runCommand("pdftoppm",
                                          {"-r", "144", "-png", "-singlefile", pdf, tmp.filePath("render")}));
    const QImage rendered(tmp.filePath("render.png"));
    ASSERT_EQ(rendered.size(), QSize(1190, 1684)); // A4 at 144 to the inch
    // Bars, frames and tables are axis-parallel: the rendering has the bitmap's pixels.
    EXPECT_GE(sameOutsideText(QImage(png), rendered), 0.999);

    // A month's table report as text: the site, the dates and every daily maximum.
    const QString month = tmp.filePath("month.pdf");
    ASSERT_EQ(cli({"report", cardDir, month, "--period", "20210301", "20210307", "--kind", "table"}).code, 0);
    QString text;
    ASSERT_TRUE(moravel::test::runCommand("pdftotext", {"-layout", month, "-"}, &text));
    EXPECT_TRUE(text.contains(QStringLiteral("中央区立体駐車場新築工事")));
    const QStringList rows =
        text.split('\n').filter(QRegularExpression(QStringLiteral("^2021年03月0\\d日\\s+\\d")));
    ASSERT_EQ(rows.size(), 7) << text.toStdString();
    const QString csvDir = tmp.filePath("csv");
    ASSERT_EQ(cli({"csv", cardDir, csvDir, "--period", "20210301", "20210307"}).code, 0);
    const QStringList csv =
        moravel::platform::readLines(csvDir + QStringLiteral("/2021年03月01日_2021年03月07日.CSV"));
    for (int d = 0; d < 7; ++d) {
        // The period CSV holds the same maxima: 9 noise, 9 vibration; the table shows all but Le of V.
        QStringList values = csv[csv.size() - 7 + d].split(',').mid(1);
        values.removeAt(10);
        EXPECT_EQ(rows[d].split(QRegularExpression("\\s+"), Qt::SkipEmptyParts).mid(1), values) << d;
    }
}

TEST(ReportsOnPaper, ImagesSayTheyAre144DotsToTheInch) {
    QTemporaryDir tmp;
    const QString cardDir = tmp.filePath("card");
    moravel::tools::writeSampleCard(cardDir, moravel::test::cardOptions(1));
    for (const char* ext : {"png", "bmp", "jpg"}) {
        const QString file = tmp.filePath(QStringLiteral("page.%1").arg(QString::fromLatin1(ext)));
        ASSERT_EQ(cli({"report", cardDir, file, "--day", "20210301"}).code, 0);
        const QImage image(file);
        EXPECT_EQ(image.dotsPerMeterX(), 5669) << ext;
        EXPECT_EQ(image.dotsPerMeterY(), 5669) << ext;
        QString density;
        if (moravel::test::onWindows())
            GTEST_SKIP() << "a Windows program does not start the Linux tools (pdfinfo, pdffonts, identify)";
        ASSERT_TRUE(moravel::test::runCommand("identify", {"-units", "PixelsPerInch", "-format", "%x", file},
                                              &density));
        EXPECT_NEAR(density.split(' ').first().toDouble(), 144, 0.1) << ext << " " << density.toStdString();
    }
}

TEST(ReportsOnPaper, APdfRecordsItsCardFilesAndVerifyComparesThem) {
    QTemporaryDir tmp;
    const QString cardDir = tmp.filePath("card");
    moravel::tools::writeSampleCard(cardDir, moravel::test::cardOptions(3));
    const QString pdf = tmp.filePath("period.pdf");
    ASSERT_EQ(
        cli({"report", cardDir, pdf, "--period", "20210302", "20210303", "--from", "08:00", "--to", "18:00"})
            .code,
        0);
    QString meta;
    if (moravel::test::onWindows())
        GTEST_SKIP() << "a Windows program does not start the Linux tools (pdfinfo, pdffonts, identify)";
    ASSERT_TRUE(moravel::test::runCommand("pdfinfo", {"-meta", pdf}, &meta));
    EXPECT_TRUE(meta.contains("<moravel:Program>Moravel 1.0.1.6</moravel:Program>"));
    EXPECT_TRUE(meta.contains("<moravel:Selection>period 20210302 20210303</moravel:Selection>"));
    EXPECT_TRUE(meta.contains("<moravel:TimeWindow>08:00-18:00</moravel:TimeWindow>"));
    const Result good = cli({"verify", pdf, cardDir});
    EXPECT_EQ(good.code, 0) << good.out.toStdString();
    // The period load reads the card's first pair, then the period's days, and the settings file.
    EXPECT_EQ(good.out,
              "20210301.LAC: as the report read it\n20210301.LVC: as the report read it\n"
              "20210302.LAC: as the report read it\n20210302.LVC: as the report read it\n"
              "20210303.LAC: as the report read it\n20210303.LVC: as the report read it\n"
              "MORVEL.TXT: as the report read it\n"
              "the card gives the report (period 20210302 20210303, Moravel 1.0.1.6): every file as it read "
              "it, every page as it shows\n");
    // One byte of a day file changed, and a file gone: both named.
    QByteArray day = moravel::test::readBytes(cardDir + "/20210303.LVC");
    day[day.size() - 3] = day[day.size() - 3] == '1' ? '2' : '1';
    moravel::test::writeBytes(cardDir + "/20210303.LVC", day);
    QFile::remove(cardDir + "/MORVEL.TXT");
    const Result changed = cli({"verify", pdf, cardDir});
    EXPECT_EQ(changed.code, 1);
    EXPECT_TRUE(changed.out.contains("20210303.LVC: changed since the report was made\n"))
        << changed.out.toStdString();
    EXPECT_TRUE(changed.out.contains("MORVEL.TXT: missing from the card\n")) << changed.out.toStdString();
    EXPECT_TRUE(changed.out.contains("20210302.LVC: as the report read it\n"));
    EXPECT_TRUE(changed.out.endsWith("MORVEL.TXT: read when the report was made, absent now\n"))
        << changed.out.toStdString();
    EXPECT_EQ(changed.err,
              "moravel-cli: the card does not hold what the report (period 20210302 20210303, "
              "Moravel 1.0.1.6) was made from: 20210303.LVC: changed since the report was made\n");
}

// ---- the compliance summary ----

TEST(CliCommands, TheSummaryOfASmallCardAsJson) {
    QTemporaryDir tmp;
    const QString cardDir = tmp.filePath("card");
    QDir().mkpath(cardDir);
    using moravel::test::dataRow;
    QStringList lac =
        moravel::test::dayFile({dataRow("2021/03/01", 0, 0, "060.0"), dataRow("2021/03/01", 0, 10, "071.0"),
                                dataRow("2021/03/01", 0, 20, "---.-")});
    lac[9] = "S-ALA,70";
    const QStringList lvc =
        moravel::test::dayFile({dataRow("2021/03/01", 0, 0, "040.0"), dataRow("2021/03/01", 0, 10, "040.0"),
                                dataRow("2021/03/01", 0, 20, "040.0")});
    moravel::test::writeDeviceFile(cardDir + "/20210301.LAC", lac);
    moravel::test::writeDeviceFile(cardDir + "/20210301.LVC", lvc);
    const Result r = cli({"summary", cardDir, "--day", "20210301", "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    // S: 144 intervals, 60.0 and 71.0 valid, Leq 10 log10((10^6 + 10^7.1) / 2) = 68.32, 71.0 above 70 at
    // 00:10. V: three intervals of 40.0 below its 75.
    EXPECT_EQ(
        r.out,
        QStringLiteral(
            "{\"from\": \"00:00\", \"to\": \"24:00\", \"channels\": {"
            "\"S\": {\"level\": \"L05\", \"method\": \"statistic\", \"days\": [{\"date\": \"2021-03-01\", "
            "\"recorded\": true, "
            "\"construction_day\": true, "
            "\"reference\": 70, \"level\": \"L05\", \"entries\": 144, \"valid\": 2, \"leq\": 68.3, "
            "\"max\": 71.0, \"max_time\": \"00:10\", \"exceeded_entries\": 1, \"exceedances\": [{\"start\": "
            "\"00:10\", \"end\": \"00:20\", \"entries\": 1, \"peak\": 71.0}], \"unjudged_entries\": 0, "
            "\"lmax_exceeded_entries\": 1, \"maxima90_exceeded_entries\": null, \"warning\": null}]}, "
            "\"V\": {\"level\": \"L10\", \"method\": \"statistic\", \"days\": [{\"date\": \"2021-03-01\", "
            "\"recorded\": true, "
            "\"construction_day\": true, "
            "\"reference\": 75, \"level\": \"L10\", \"entries\": 144, \"valid\": 3, \"leq\": 40.0, "
            "\"max\": 40.0, \"max_time\": \"00:00\", \"exceeded_entries\": 0, \"exceedances\": [], "
            "\"unjudged_entries\": 0, \"lmax_exceeded_entries\": 0, \"maxima90_exceeded_entries\": null, "
            "\"warning\": null}]}}}\n"));
    // The window and the level change the figures; a broken day fails the command and names the day.
    const Result lmax = cli({"summary", cardDir, "--day", "20210301", "--format", "json", "--from", "00:00",
                             "--to", "00:30", "--noise-level", "Lmax"});
    EXPECT_TRUE(lmax.out.contains(
        "\"level\": \"Lmax\", \"method\": \"statistic\", \"days\": [{\"date\": \"2021-03-01\", \"recorded\": "
        "true, "
        "\"construction_day\": true, \"reference\": 70, \"level\": \"Lmax\", \"entries\": 3, \"valid\": 2"))
        << lmax.out.toStdString();
    lac[16] = "broken";
    moravel::test::writeDeviceFile(cardDir + "/20210301.LAC", lac);
    const Result broken = cli({"summary", cardDir, "--day", "20210301", "--format", "csv"});
    EXPECT_EQ(broken.code, 1);
    EXPECT_TRUE(broken.out.isEmpty());
    EXPECT_EQ(broken.err, QStringLiteral("moravel-cli: 20210301: 20210301.LAC は破損しています。\n"));
}

TEST(CliCommands, TheSummaryAsCsvOpensAsJapaneseText) {
    QTemporaryDir tmp;
    const QString cardDir = tmp.filePath("card");
    moravel::tools::writeSampleCard(cardDir, moravel::test::cardOptions(2));
    QProcess p;
    p.start(QStringLiteral(MORAVEL_CLI),
            {"summary", cardDir, "--period", "20210301", "20210302", "--format", "csv"});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QByteArray bytes = p.readAllStandardOutput();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QStringList lines = moravel::platform::decodeLines(bytes);
    ASSERT_EQ(lines.size(), 6); // the window, the headings, two days of two channels
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("日付,曜日,チャンネル,施工日,基準値(dB)")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("2021-03-01,月,騒音,施工日,85,L05,144,144,100.0,")))
        << lines[2].toStdString();
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("2021-03-02,火,振動,施工日,75,L10,144,")))
        << lines[5].toStdString();
}

TEST(CliCommands, TheReportPdfCarriesTheSummaryPageAfterItsPages) {
    QTemporaryDir tmp;
    const QString cardDir = tmp.filePath("card");
    moravel::tools::writeSampleCard(cardDir, moravel::test::cardOptions(3));
    const QString pdf = tmp.filePath("days.pdf");
    ASSERT_EQ(
        cli({"report", cardDir, pdf, "--period", "20210301", "20210303", "--each-day", "--summary"}).code, 0);
    QString info, text;
    if (moravel::test::onWindows())
        GTEST_SKIP() << "a Windows program does not start the Linux tools (pdfinfo, pdffonts, identify)";
    ASSERT_TRUE(moravel::test::runCommand("pdfinfo", {pdf}, &info));
    // Three day pages, the tables, the runs above the reference.
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+5\\n"))) << info.toStdString();
    ASSERT_TRUE(moravel::test::runCommand("pdftotext", {"-f", "4", "-l", "4", "-layout", pdf, "-"}, &text));
    EXPECT_TRUE(text.contains(QStringLiteral("集計"))) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("2021/03/02(火)")), 2) << text.toStdString(); // noise and vibration
    ASSERT_TRUE(moravel::test::runCommand("pdftotext", {"-f", "5", "-l", "5", "-layout", pdf, "-"}, &text));
    EXPECT_TRUE(text.contains(QStringLiteral("基準値を超えた区間"))) << text.toStdString();
    // The sample card's working hours exceed its references: every run a line, as the summary lists it.
    const Result json = cli({"summary", cardDir, "--period", "20210301", "20210303", "--format", "json"});
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("\\d+区間\\s+最大 \\d"))),
              json.out.count("\"peak\""))
        << text.toStdString();
    EXPECT_EQ(cli({"report", cardDir, tmp.filePath("d.png"), "--day", "20210301", "--summary"}).code, 2);
}
