// The captions a desktop shows: on X11 the window titles are exactly the program's texts, without
// the application's name appended. Run under xvfb-run on the xcb platform.
#include "WindowTest.h"

#include "Volumes.h"
#include "export/CSVConvert.h"
#include "platform/Dialogs.h"
#include "report/PrintForm.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

// The title the X server holds for a window.
QString x11Title(QWidget* window) {
    QString out;
    if (!moravel::test::runCommand("xprop", {"-id", QString::number(window->winId()), "_NET_WM_NAME"}, &out))
        return QStringLiteral("(xprop failed: %1)").arg(out);
    const qsizetype quote = out.indexOf(u'"');
    return quote < 0 ? out : out.mid(quote + 1, out.lastIndexOf(u'"') - quote - 1);
}

} // namespace

using Captions = moravel::test::MainWindowTest;

TEST_F(Captions, AreThePrograms) {
    if (QGuiApplication::platformName() != u"xcb")
        GTEST_SKIP() << "the window titles of a desktop are seen on X11 only (platform: "
                     << QGuiApplication::platformName().toStdString() << ")";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    EXPECT_EQ(x11Title(main), QStringLiteral("もらべる"));
    chooseDirectory(makeCard(moravel::test::cardOptions(2)));
    QCoreApplication::processEvents();
    EXPECT_EQ(x11Title(main), QStringLiteral("もらべる - 2021年03月01日"));
    const struct {
        moravel::platform::BoxKind kind;
        QString caption;
    } boxes[] = {{moravel::platform::BoxKind::Information, QStringLiteral("もらべる")},
                 {moravel::platform::BoxKind::YesNoCancel, QStringLiteral("確認")},
                 {moravel::platform::BoxKind::Warning, QStringLiteral("警告")}};
    for (const auto& b : boxes) {
        const auto box = moravel::platform::makeMessageBox(b.kind, main, QStringLiteral("保存完了しました"));
        box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
        EXPECT_EQ(x11Title(box.get()), b.caption);
    }
    main->BtPrintGraph->click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main->FmPrint));
    EXPECT_EQ(x11Title(main->FmPrint), QStringLiteral("印刷"));
    main->FmPrint->close();
}
