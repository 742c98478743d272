#include "WindowTest.h"

#include "graph/TimeHistoryPage.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

using moravel::test::MainWindowTest;
using TimeHistory = MainWindowTest;

TEST_F(TimeHistory, TheReadoutAndTheMarkedIntervalAreTheCoresSeconds) {
    chooseDirectory(makeCard(moravel::test::cardOptions(2, true)));
    auto* page = main->TabItem6;
    main->TabControl1->setCurrentWidget(page);
    const moravel::data::RawDay day = moravel::data::loadRawDay(tmp.filePath("card"), "20210301");
    ASSERT_FALSE(day.s.empty());
    EXPECT_EQ(page->view(), moravel::graph::TimeView{});

    // The cursor over a known second reads that second's levels.
    const QRect plot = page->noisePlot();
    page->setView({38500, 38560}); // a minute across the graph
    const double x = plot.left() + (20.5 * plot.width() / 60.0);
    QTest::mouseMove(page, QPoint(static_cast<int>(x), plot.center().y()));
    ASSERT_TRUE(page->cursorSecond());
    EXPECT_EQ(*page->cursorSecond(), 38520);
    EXPECT_EQ(page->readout(), QStringLiteral("10:42:00　騒音 %1 dB(A)　振動 %2 dB")
                                   .arg(moravel::data::deciText(day.s.seconds[38520]),
                                        moravel::data::deciText(day.v.seconds[38520])));

    // Keys: + zooms around the middle, Home shows the day again.
    page->setView({});
    QTest::keyClick(page, Qt::Key_Plus);
    EXPECT_EQ(page->view().length(), 43200);
    QTest::keyClick(page, Qt::Key_Home);
    EXPECT_EQ(page->view(), moravel::graph::TimeView{});

    // The marked ten minutes give the statistics of the core, as the day file's entry has them.
    page->setSelection({36000, 36600});
    const moravel::data::IntervalStats st = moravel::data::intervalStats(day.s, 36000, 36600);
    const QString text = page->findChild<QPlainTextEdit*>("IntervalStatistics")->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("10:00:00 – 10:10:00（600秒）"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("L05  %1\n").arg(moravel::data::deciText(st.l05))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Lmax %1（").arg(moravel::data::deciText(st.lmax))));
}
