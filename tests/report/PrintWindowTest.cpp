// The print window: opening it from the main window, composing, printing and saving images.
#include "Volumes.h"
#include "WindowTest.h"

#include "graph/GraphArea.h"
#include "graph/ImageView.h"
#include "report/PrintForm.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

using moravel::platform::Answer;
using moravel::test::MainWindowTest;

namespace {

// Whether the page shows the graph section (its first grid line) and the table section of the
// full report (the first line of the noise table).
bool hasGraphs(const QImage& page) {
    return page.pixel(125, 470) == moravel::test::Black;
}
bool hasFullTables(const QImage& page) {
    return page.pixel(600, 1170) == moravel::test::Black;
}
bool hasOnlyTables(const QImage& page) {
    return page.pixel(600, 450) == moravel::test::Black;
}

} // namespace

class PrintWindow : public MainWindowTest {
protected:
    TFmPrint* print() { return main->FmPrint; }
    const QImage& preview() { return print()->Print_Image->bitmap(); }
};

TEST_F(PrintWindow, EachButtonOpensTheWindowWithItsPanelAndSections) {
    chooseDirectory(makeCard(moravel::test::cardOptions(2)));
    main->BtPrintGraph->click();
    EXPECT_TRUE(print()->isVisible());
    EXPECT_EQ(print()->windowTitle(), QStringLiteral("印刷"));
    EXPECT_FALSE(print()->PPrint->isHidden());
    EXPECT_TRUE(print()->PSave->isHidden());
    EXPECT_EQ(print()->PrintMode, 1);
    EXPECT_EQ(preview().size(), QSize(1191, 1684));
    EXPECT_TRUE(hasGraphs(preview()));
    EXPECT_FALSE(hasFullTables(preview()));

    main->BtPrintDataView->click();
    EXPECT_EQ(print()->PrintMode, 2);
    EXPECT_FALSE(hasGraphs(preview()));
    EXPECT_TRUE(hasOnlyTables(preview()));

    main->BtGraphSave->click(); // hidden on the main window, but it works
    EXPECT_TRUE(print()->PPrint->isHidden());
    EXPECT_FALSE(print()->PSave->isHidden());
    EXPECT_EQ(print()->PrintMode, 0);
    EXPECT_TRUE(hasGraphs(preview()));
    EXPECT_TRUE(hasFullTables(preview()));

    main->BtPrintOut->click();
    EXPECT_FALSE(print()->PPrint->isHidden());
    EXPECT_EQ(print()->PrintMode, 0);
    EXPECT_EQ(dialogs.boxes().size(), 1u);
}

TEST_F(PrintWindow, AFailedCompositionKeepsThePreviousPage) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->BtPrintGraph->click();
    const QImage before = preview();
    dialogs.clear();
    main->TabItem1->EdReferenceS->setText("");
    main->BtPrintGraph->click();
    EXPECT_EQ(dialogs.texts("error").size(), 1);
    EXPECT_EQ(preview(), before);
}

TEST_F(PrintWindow, HeadingsNameTheMainWindowsLevelWhileBarsShowTheGraphWindowsLevel) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->FmGraphArea->CbSMode->setCurrentIndex(8);
    const auto in = main->ReportInputsNow();
    EXPECT_EQ(in.choices.sStatText, QStringLiteral("L05"));
    EXPECT_EQ(in.choices.sStat, 8);
}

TEST_F(PrintWindow, SavingImages) {
    chooseDirectory(makeCard(moravel::test::cardOptions(3)));
    main->RbDateMMode->setChecked(true);
    main->CbDateListStop->setCurrentIndex(2);
    main->BtGraphSave->click();
    const QString dir = tmp.filePath("images");
    QDir().mkpath(dir);
    const QString name = QStringLiteral("2021年03月01日~2021年03月03日");
    EXPECT_EQ(main->TabItem1->EdDate->text(), name);
    for (const char* ext : {"png", "bmp", "jpg"}) {
        dialogs.clear();
        dialogs.chooseFolder(dir);
        QPushButton* button = print()->findChild<QPushButton*>(QString::fromLatin1(ext).toUpper());
        button->click();
        EXPECT_EQ(dialogs.texts("information"), QStringList{QStringLiteral("保存完了")}) << ext;
        const QString path = dir + u'/' + name + u'.' + QString::fromLatin1(ext);
        QImage saved(path);
        ASSERT_FALSE(saved.isNull()) << ext;
        EXPECT_EQ(saved.size(), QSize(1191, 1684)) << ext;
        if (QByteArray(ext) != "jpg") {
            EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
                      preview().convertToFormat(QImage::Format_RGB32))
                << ext;
        }
    }
    // A second save asks; No keeps the first file, Yes overwrites and reports.
    const QString png = dir + u'/' + name + ".png";
    const QByteArray first = moravel::test::readBytes(png);
    dialogs.clear();
    dialogs.chooseFolder(dir);
    dialogs.answer(Answer::No);
    print()->PNG->click();
    ASSERT_EQ(dialogs.boxes().size(), 2u);
    EXPECT_EQ(dialogs.boxes()[1].text, name + ".png\r\nはすでに存在します。上書きしますか？");
    EXPECT_EQ(dialogs.boxes()[1].buttons, "Yes/No/Cancel");
    EXPECT_EQ(moravel::test::readBytes(png), first);
    dialogs.clear();
    dialogs.chooseFolder(dir);
    dialogs.answer(Answer::Yes);
    print()->PNG->click();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("保存完了"));
    // A cancelled chooser: nothing, no message.
    dialogs.clear();
    dialogs.cancelFolder();
    print()->BMP->click();
    EXPECT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].caption, QStringLiteral("ディレクトリ指定"));
}

TEST_F(PrintWindow, ImageNamesStayInsideTheChosenDirectory) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->BtGraphSave->click();
    const QString dir = tmp.filePath("names");
    QDir().mkpath(dir);
    struct Case {
        QString date;
        QString file; // empty: refused
    };
    const Case cases[] = {
        {"2021/03/01 ", "20210301 .png"},
        {"", ".png"},
        {"../..\\x/", "....x.png"},
        {"..", ""},
    };
    for (const Case& c : cases) {
        main->TabItem1->EdDate->setText(c.date);
        dialogs.clear();
        if (!c.file.isEmpty())
            dialogs.chooseFolder(dir);
        print()->PNG->click();
        if (c.file.isEmpty()) {
            EXPECT_EQ(dialogs.texts("error").size(), 1) << c.date.toStdString();
        } else {
            EXPECT_TRUE(QFile::exists(dir + u'/' + c.file)) << c.file.toStdString();
            EXPECT_EQ(dialogs.texts("information"), QStringList{QStringLiteral("保存完了")});
        }
    }
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST_F(PrintWindow, AFailedSaveLeavesNothingBehindAndReportsNoSuccess) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->BtGraphSave->click();
    QString whyNot;
    auto volume = moravel::test::ScratchVolume::tmpfs(tmp.filePath("small"), "64k", whyNot);
    if (!volume)
        GTEST_SKIP() << whyNot.toStdString();
    dialogs.clear();
    dialogs.chooseFolder(volume->path());
    print()->BMP->click(); // 8 MB of bitmap on 64 kB
    EXPECT_EQ(dialogs.texts("error").size(), 1);
    EXPECT_FALSE(dialogs.texts().contains(QStringLiteral("保存完了")));
    EXPECT_TRUE(QDir(volume->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(PrintWindow, PrintingToAPdfFileGivesOneA4Page) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->BtPrintGraph->click();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = tmp.filePath("report.pdf");
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    print()->PrintPage(printer);
    if (moravel::test::onWindows())
        GTEST_SKIP() << "a Windows program does not start the Linux tools (pdfinfo)";
    QString info;
    ASSERT_TRUE(moravel::test::runCommand("pdfinfo", {pdf}, &info)) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();
}

// 印刷 to a PDF file asks before it replaces one, and a file that cannot be made leaves nothing.
TEST_F(PrintWindow, PrintingToAPdfFileAsksBeforeReplacingOne) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->BtPrintGraph->click();
    QPrinter& setup = *print()->PrinterSetupDialog1;
    setup.setOutputFormat(QPrinter::PdfFormat);
    setup.setPageSize(QPageSize(QPageSize::A4));
    const QString pdf = tmp.filePath("もらべる.pdf");
    setup.setOutputFileName(pdf);
    dialogs.clear();
    print()->Print->click();
    if (moravel::test::onWindows())
        GTEST_SKIP() << "a Windows program does not start the Linux tools (pdfinfo)";
    QString info;
    ASSERT_TRUE(moravel::test::runCommand("pdfinfo", {pdf}, &info)) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();
    EXPECT_TRUE(dialogs.allTexts().isEmpty()) << dialogs.allTexts().join("|").toStdString();

    auto bytes = [&] {
        QFile f(pdf);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    };
    const QByteArray first = bytes();
    for (Answer a : {Answer::No, Answer::Cancel}) {
        dialogs.answer(a);
        print()->Print->click();
        EXPECT_EQ(bytes(), first);
    }
    EXPECT_EQ(dialogs.texts("question"),
              QStringList(2, pdf + QStringLiteral("\r\nはすでに存在します。上書きしますか？")));
    QFile::resize(pdf, 10);
    dialogs.answer(Answer::Yes);
    print()->Print->click();
    EXPECT_TRUE(bytes().startsWith("%PDF-"));
    EXPECT_GT(bytes().size(), 1000);
    EXPECT_EQ(dialogs.texts("question").size(), 3);

    setup.setOutputFileName(tmp.filePath("missing/page.pdf"));
    dialogs.clear();
    print()->Print->click();
    ASSERT_EQ(dialogs.texts("error").size(), 1);
    EXPECT_TRUE(dialogs.texts("error").first().contains(tmp.filePath("missing/page.pdf")))
        << dialogs.texts("error").first().toStdString();
    EXPECT_FALSE(QDir(tmp.filePath("missing")).exists());
}
