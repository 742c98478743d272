#include "WindowTest.h"

#include "export/Csv.h"
#include "graph/TimeHistoryPage.h"
#include "platform/TextFile.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using moravel::data::deciText;
using moravel::graph::TimeHistoryPage;
using moravel::graph::TimeView;
using moravel::test::MainWindowTest;

namespace {

class TimeHistory : public MainWindowTest {
protected:
    // Opens the page and waits until its day has been read.
    TimeHistoryPage* openPage() {
        auto* page = main->TabItem6;
        QSignalSpy shown(page, &TimeHistoryPage::dayShown);
        main->TabControl1->setCurrentWidget(page);
        if (page->loading()) {
            EXPECT_TRUE(shown.wait(20000));
        }
        EXPECT_FALSE(page->loading());
        return page;
    }
    QPoint atSecond(TimeHistoryPage* page, int second) {
        const QRect plot = page->noisePlot();
        const double x =
            plot.left() + (second - page->view().first + 0.5) * plot.width() / page->view().length();
        return {static_cast<int>(std::lround(x)), plot.center().y()};
    }
};

} // namespace

TEST_F(TimeHistory, TheDayIsReadWhenThePageIsShownAndTheReadoutGivesItsSeconds) {
    chooseDirectory(makeCard(moravel::test::cardOptions(2, true)));
    auto* page = main->TabItem6;
    // Another page is in front: nothing has been read yet.
    EXPECT_FALSE(page->loading());
    EXPECT_TRUE(page->day().s.empty());
    openPage();
    const moravel::data::RawDay day = moravel::data::loadRawDay(tmp.filePath("card"), "20210301");
    ASSERT_EQ(page->day().s.seconds, day.s.seconds);
    ASSERT_EQ(page->day().v.seconds, day.v.seconds);
    // The day files' L05 and L10 are there for the step line.
    ASSERT_EQ(page->day().sEntries.size(), 144u);
    EXPECT_EQ(page->day().sEntries[60], moravel::data::intervalStats(day.s, 36000, 36600).l05);
    EXPECT_EQ(page->day().vEntries[60], moravel::data::intervalStats(day.v, 36000, 36600).l10);
    EXPECT_EQ(page->view(), TimeView{});

    // The cursor over a known second reads that second's levels.
    page->setView({38500, 38560}); // a minute across the graph
    QTest::mouseMove(page, atSecond(page, 38520));
    ASSERT_TRUE(page->cursorSecond());
    EXPECT_EQ(*page->cursorSecond(), 38520);
    const QString expected = QStringLiteral("10:42:00　騒音 %1 dB(A)　振動 %2 dB")
                                 .arg(deciText(day.s.seconds[38520]), deciText(day.v.seconds[38520]));
    EXPECT_EQ(page->readout(), expected);
    EXPECT_EQ(page->findChild<QLabel*>("Readout")->text(), expected);

    // The marked ten minutes give the statistics of the core, as the day file's entry has them.
    page->setSelection({36000, 36600});
    const moravel::data::IntervalStats st = moravel::data::intervalStats(day.s, 36000, 36600);
    const QString text = page->findChild<QPlainTextEdit*>("IntervalStatistics")->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("10:00:00 – 10:10:00（600秒）"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("L05  %1\n").arg(deciText(st.l05)))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Lmax %1（").arg(deciText(st.lmax))));
}

TEST_F(TimeHistory, TheKeyboardReachesTheGraphWithoutAClick) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1, true)));
    auto* page = openPage();
    // Tab from the page's tab reaches the graph (the day list is off for a single day), whose keys
    // zoom, pan and show the day again.
    main->activateWindow();
    main->TabControl1->tabBar()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), page)
        << QApplication::focusWidget()->metaObject()->className() << " "
        << QApplication::focusWidget()->objectName().toStdString();
    QTest::keyClick(page, Qt::Key_Plus);
    EXPECT_EQ(page->view(), (TimeView{21600, 64800}));
    QTest::keyClick(page, Qt::Key_Right);
    EXPECT_EQ(page->view(), (TimeView{25920, 69120}));
    QTest::keyClick(page, Qt::Key_Minus);
    QTest::keyClick(page, Qt::Key_Minus);
    EXPECT_EQ(page->view(), TimeView{});
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(page, Qt::Key_Plus);
    EXPECT_EQ(page->view().length(), moravel::graph::ShortestView);
    QTest::keyClick(page, Qt::Key_Home);
    EXPECT_EQ(page->view(), TimeView{});
}

TEST_F(TimeHistory, TheMouseZoomsPansAndMarks) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1, true)));
    auto* page = openPage();
    // The wheel zooms around the cursor: the second under it stays there.
    const QPoint at = atSecond(page, 61200);
    QWheelEvent wheel(at, page->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(page, &wheel);
    EXPECT_EQ(page->view().length(), 69120);
    EXPECT_NEAR(page->view().first + (at.x() - page->noisePlot().left()) * page->view().length() /
                                         double(page->noisePlot().width()),
                61200, 100);

    // A drag along the time labels zooms to its range; a drag over the graph pans.
    page->setView({});
    const QRect axis = page->timeAxis();
    const int x10 = axis.left() + axis.width() * 10 / 24, x11 = axis.left() + axis.width() * 11 / 24;
    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(x10, axis.center().y()));
    QTest::mouseMove(page, QPoint(x11, axis.center().y()));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(x11, axis.center().y()));
    EXPECT_NEAR(page->view().first, 36000, 120);
    EXPECT_NEAR(page->view().last, 39600, 120);
    const TimeView before = page->view();
    const QPoint middle = page->noisePlot().center();
    QTest::mousePress(page, Qt::LeftButton, {}, middle);
    QTest::mouseMove(page, middle - QPoint(page->noisePlot().width() / 4, 0));
    QTest::mouseRelease(page, Qt::LeftButton, {}, middle - QPoint(page->noisePlot().width() / 4, 0));
    EXPECT_NEAR(page->view().first - before.first, before.length() / 4, 30);
    EXPECT_EQ(page->view().length(), before.length());

    // Two clicks mark the seconds from the first to the second; Esc lets go of them.
    page->setView({36000, 36060});
    QTest::mouseClick(page, Qt::LeftButton, {}, atSecond(page, 36010));
    QTest::mouseClick(page, Qt::LeftButton, {}, atSecond(page, 36004));
    ASSERT_TRUE(page->selection());
    EXPECT_EQ(*page->selection(), (TimeView{36004, 36011}));
    // Shift+drag marks too.
    QTest::mousePress(page, Qt::LeftButton, Qt::ShiftModifier, atSecond(page, 36020));
    QTest::mouseMove(page, atSecond(page, 36029));
    QTest::mouseRelease(page, Qt::LeftButton, Qt::ShiftModifier, atSecond(page, 36029));
    EXPECT_EQ(*page->selection(), (TimeView{36020, 36030}));
    QTest::keyClick(page, Qt::Key_Escape);
    EXPECT_FALSE(page->selection());
}

TEST_F(TimeHistory, APeriodShowsItsFirstDayAndFollowsTheDayPicked) {
    chooseDirectory(makeCard(moravel::test::cardOptions(3, true)));
    choosePeriod(0, 2);
    auto* page = openPage();
    auto* days = page->findChild<QComboBox*>("CbRawDay");
    EXPECT_EQ(days->count(), 3);
    EXPECT_TRUE(days->isEnabled());
    EXPECT_EQ(page->day().stem, QStringLiteral("20210301"));
    EXPECT_EQ(page->findChild<QLabel*>("LbRawDay")->text(),
              QStringLiteral("期間の最初の日を表示しています。ほかの日は左で選べます。"));
    QSignalSpy shown(page, &TimeHistoryPage::dayShown);
    days->setCurrentIndex(2);
    ASSERT_TRUE(shown.wait(20000));
    EXPECT_EQ(page->day().stem, QStringLiteral("20210303"));
    EXPECT_EQ(page->findChild<QLabel*>("LbRawDay")->text(), QStringLiteral("期間の3日目を表示しています。"));
}

TEST_F(TimeHistory, WithoutRawFilesTheFrameSaysWhy) {
    const QString card = makeCard(moravel::test::cardOptions(2, true));
    QFile::remove(card + "/20210301.LA");
    QFile::remove(card + "/20210301.LV");
    chooseDirectory(card);
    auto* page = openPage();
    EXPECT_EQ(page->message(), QStringLiteral("この日の生データ（20210301.LA、20210301.LV）がありません。"));
    EXPECT_FALSE(page->findChild<QPushButton*>("BtRawCsvSave")->isEnabled());

    // The card pulled out: the error state shows no day.
    ASSERT_TRUE(QDir(card).removeRecursively());
    dialogs.clear();
    main->BtDateDown->click();
    ASSERT_TRUE(main->errorFlag);
    EXPECT_EQ(page->message(), QStringLiteral("データを読み込めなかったため、生データを表示しません。"));
    EXPECT_FALSE(page->loading());
}

TEST_F(TimeHistory, CsvOfTheMarkedSecondsHasTheRowsOfTheRawConversion) {
    const QString card = makeCard(moravel::test::cardOptions(1, true));
    chooseDirectory(card);
    auto* page = openPage();
    page->setSelection({38400, 39000});
    const QString out = tmp.filePath("out");
    QDir().mkpath(out);
    // One of the files is there already: the usual question, answered No, keeps it.
    moravel::test::writeBytes(out + "/20210301_104000-105000_LV.csv", "kept");
    dialogs.chooseFolder(out);
    dialogs.answer(moravel::platform::Answer::No);
    page->findChild<QPushButton*>("BtRawCsvSave")->click();
    EXPECT_TRUE(dialogs.unanswered().isEmpty()) << dialogs.unanswered().join('|').toStdString();
    EXPECT_EQ(dialogs.texts("question"), QStringList{moravel::platform::overwriteQuestion(
                                             moravel::test::shown(out + "/20210301_104000-105000_LV.csv"))});
    EXPECT_EQ(dialogs.texts("information"),
              QStringList{QStringLiteral("CSVファイルを保存しました。\r\n20210301_104000-105000_LA.csv")});
    EXPECT_EQ(moravel::test::readBytes(out + "/20210301_104000-105000_LV.csv"), QByteArray("kept"));

    // The rows are the raw conversion's rows of those ten minutes.
    const QByteArray whole = moravel::csv::rawCsvFromBytes(moravel::test::readBytes(card + "/20210301.LA"));
    const qsizetype from = whole.indexOf("2021/03/01 10:40:00,");
    const qsizetype to = whole.indexOf("2021/03/01 10:50:00,");
    ASSERT_GT(from, 0);
    const QByteArray saved = moravel::test::readBytes(out + "/20210301_104000-105000_LA.csv");
    EXPECT_EQ(saved.right(to - from), whole.mid(from, to - from));
    EXPECT_EQ(saved.count("\r\n"), whole.left(whole.indexOf("2021/03/01 00:00:00,")).count("\r\n") + 600);
}

// What a user does to answer "what happened then?": from the whole day into the loudest second,
// its level under the cursor, then the ten minutes around it marked, which read as the day file's
// entry.
TEST_F(TimeHistory, FromTheWholeDayIntoASpikeAndBackToTheDayFilesEntry) {
    const QString card = makeCard(moravel::test::cardOptions(1, true));
    chooseDirectory(card);
    auto* page = openPage();
    const moravel::data::RawChannel& s = page->day().s;
    const int spike =
        static_cast<int>(std::max_element(s.seconds.begin(), s.seconds.end()) - s.seconds.begin());

    // The wheel over the spike, until a minute fills the graph; the spike stays under the cursor.
    for (int i = 0; i < 40 && page->view().length() > moravel::graph::ShortestView; ++i) {
        const QPoint at = atSecond(page, spike);
        QWheelEvent wheel(at, page->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(page, &wheel);
        ASSERT_LE(page->view().first, spike);
        ASSERT_GT(page->view().last, spike);
    }
    EXPECT_EQ(page->view().length(), moravel::graph::ShortestView);
    QTest::mouseMove(page, atSecond(page, spike));
    EXPECT_TRUE(page->readout().startsWith(moravel::graph::clockText(spike) + QStringLiteral("　騒音 ") +
                                           deciText(s.seconds[static_cast<size_t>(spike)]) + " dB(A)"))
        << page->readout().toStdString();

    // The ten minutes of the day file's entry, marked with Shift+drag, read as that entry.
    const int slot = spike / 600;
    page->setView({slot * 600 - 30, slot * 600 + 630});
    QTest::mousePress(page, Qt::LeftButton, Qt::ShiftModifier, atSecond(page, slot * 600));
    QTest::mouseMove(page, atSecond(page, slot * 600 + 599));
    QTest::mouseRelease(page, Qt::LeftButton, Qt::ShiftModifier, atSecond(page, slot * 600 + 599));
    ASSERT_EQ(*page->selection(), (TimeView{slot * 600, slot * 600 + 600}));
    const QStringList row = moravel::platform::readLines(card + "/20210301.LAC")[17 + slot].split(u',');
    auto level = [](const QString& text) { return QString::number(text.toDouble(), 'f', 1); };
    const QString text = page->statisticsText();
    EXPECT_TRUE(text.contains(QStringLiteral("L05  %1\n").arg(level(row[3])))) << text.toStdString();
    EXPECT_TRUE(
        text.contains(QStringLiteral("Lmax %1（%2）").arg(level(row[9]), moravel::graph::clockText(spike))))
        << text.toStdString();
}

TEST_F(TimeHistory, WhatThePageShowsIsReadable) {
    chooseDirectory(makeCard(moravel::test::cardOptions(2, true)));
    choosePeriod(0, 1);
    auto* page = openPage();
    page->setSelection({36000, 36600});
    QTest::mouseMove(page, page->noisePlot().center());
    // Each control as the window shows it, over the page's dark pane.
    auto grabbed = [&](QWidget* w) {
        return main->grab(QRect(w->mapTo(main, QPoint()), w->size()))
            .toImage()
            .convertToFormat(QImage::Format_ARGB32);
    };
    for (const char* name : {"Readout", "LbRawDay"}) {
        auto* label = page->findChild<QLabel*>(name);
        ASSERT_FALSE(label->text().isEmpty()) << name;
        EXPECT_GE(moravel::test::contentContrast(grabbed(label)), 4.5) << name;
    }
    for (const char* name : {"BtRawCopy", "BtRawCsvSave"}) {
        auto* button = page->findChild<QPushButton*>(name);
        ASSERT_TRUE(button->isEnabled()) << name;
        EXPECT_GE(moravel::test::contentContrast(grabbed(button)), 4.5) << name;
    }
    EXPECT_GE(moravel::test::contentContrast(grabbed(page->findChild<QPlainTextEdit*>("IntervalStatistics"))),
              4.5);
    // The statistics go to the clipboard as the panel shows them.
    page->findChild<QPushButton*>("BtRawCopy")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), page->statisticsText());
    EXPECT_TRUE(page->statisticsText().startsWith(
        QStringLiteral("10:00:00 – 10:10:00（600秒）\n\n騒音 dB(A)\n有効秒数 600\nLeq  ")));

    // The graphs on the page: the seconds of both channels, the day files' step line, the cursor.
    const QImage image = grabbed(page);
    auto colours = [&](const QRect& plot) {
        QSet<QRgb> found;
        for (int y = plot.top(); y <= plot.bottom(); ++y)
            for (int x = plot.left(); x <= plot.right(); ++x)
                found.insert(image.pixel(x, y));
        return found;
    };
    const QSet<QRgb> noise = colours(page->noisePlot());
    const QSet<QRgb> vibration = colours(page->vibrationPlot());
    EXPECT_TRUE(noise.contains(moravel::graph::noiseColour().rgb()));
    EXPECT_TRUE(noise.contains(moravel::graph::entryColour().rgb()));
    EXPECT_TRUE(vibration.contains(moravel::graph::vibrationColour().rgb()));
    EXPECT_TRUE(vibration.contains(moravel::graph::entryColour().rgb()));
}
