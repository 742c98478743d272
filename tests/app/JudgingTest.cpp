// The 集計 tab judges the entries by the method chosen, warns where the maxima disagree, lists the
// day's events and opens the time history at one.
#include "WindowTest.h"

#include "data/CompliancePage.h"
#include "export/Csv.h"
#include "graph/TimeHistoryPage.h"
#include "platform/TextFile.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using moravel::data::cell;
using moravel::data::Method;

namespace {

class Judging : public moravel::test::MainWindowTest {
protected:
    // The sample card of April 2024, its second day chosen, the 集計 tab in front and its raw seconds
    // read.
    moravel::data::CompliancePage* openTab() {
        moravel::tools::SampleCardOptions options;
        options.days = 3;
        options.start = QDate(2024, 4, 1);
        chooseDirectory(makeCard(options));
        main->CbDateList->setCurrentIndex(1);
        auto* page = main->TabItem5;
        QSignalSpy read(page, &moravel::data::CompliancePage::eventsShown);
        main->TabControl1->setCurrentWidget(page);
        EXPECT_TRUE(read.wait(20000));
        return page;
    }
};

} // namespace

TEST_F(Judging, TheMethodChangesTheFiguresAndTheWarningSaysWhatTheMaximaFind) {
    auto* page = openTab();
    // By L05 the day stays under its reference; its Lmax and the peaks of its events do not.
    moravel::data::Compliance c = main->ComplianceNow();
    ASSERT_EQ(c.s.size(), 1);
    const moravel::data::ChannelDay byL05 = c.s[0];
    ASSERT_TRUE(byL05.maxima90Exceeded);
    ASSERT_GT(byL05.warningEntries, 0);
    EXPECT_EQ(cell(page->SgSummaryS, 9, 0), QStringLiteral("※%1").arg(byL05.warningEntries));
    EXPECT_EQ(cell(page->SgSummaryS, 8, 0), QString::number(10 * byL05.exceededEntries));
    EXPECT_EQ(page->LbWarning->text(), QStringLiteral("※騒音　2024/04/02(火)　") + byL05.warning);

    // Judged by the upper end of the peaks' 90 % range: what the warning counted now exceeds.
    page->CbMethodS->setCurrentIndex(3);
    EXPECT_EQ(page->CbMethodS->currentText(), QStringLiteral("判定：最大値の90%上端"));
    c = main->ComplianceNow();
    EXPECT_EQ(c.sMethod, Method::Maxima90);
    EXPECT_EQ(c.s[0].exceededEntries, *byL05.maxima90Exceeded);
    EXPECT_EQ(cell(page->SgSummaryS, 8, 0), QString::number(10 * *byL05.maxima90Exceeded));
    // The summary CSV and the report's pages take the same method.
    EXPECT_TRUE(moravel::platform::decodeLines(moravel::csv::complianceCsv(c))[2].contains(
        QStringLiteral(",最大値の90%上端,")));

    // The day's events, each a row; a click opens the time history at it, marked.
    const moravel::data::Event first = c.s[0].events.value(0);
    ASSERT_GT(page->SgEvents->model()->rowCount(), 0);
    EXPECT_EQ(page->SgEvents->model()->rowCount(), c.s[0].events.size());
    EXPECT_EQ(cell(page->SgEvents, 0, 0), moravel::graph::clockText(first.start));
    auto* history = main->TabItem6;
    QSignalSpy shown(history, &moravel::graph::TimeHistoryPage::dayShown);
    const QModelIndex row = page->SgEvents->model()->index(0, 0);
    QTest::mouseClick(page->SgEvents->viewport(), Qt::LeftButton, {},
                      page->SgEvents->visualRect(row).center());
    EXPECT_EQ(main->TabControl1->currentWidget(), history);
    if (history->loading()) {
        ASSERT_TRUE(shown.wait(20000));
    }
    EXPECT_EQ(history->day().stem, QStringLiteral("20240402"));
    ASSERT_TRUE(history->selection());
    EXPECT_EQ(*history->selection(), (moravel::graph::TimeView{first.start, first.end}));
    EXPECT_LE(history->view().first, first.start);
    EXPECT_GE(history->view().last, first.end);
    EXPECT_LE(history->view().length(), 600);
}

TEST_F(Judging, TheEventsCsvListsTheEventsOfTheDaysShown) {
    auto* page = openTab();
    const QString out = tmp.filePath("out");
    QDir().mkpath(out);
    dialogs.chooseFolder(out);
    page->BtEventsCsv->click();
    EXPECT_EQ(dialogs.texts("information"), QStringList{QStringLiteral("保存完了")});
    const QByteArray csv = moravel::test::readBytes(out + QStringLiteral("/イベント_2024年04月02日.csv"));
    EXPECT_EQ(csv, moravel::csv::eventsCsv(page->EventsNow()));
    const QStringList rows = moravel::platform::decodeLines(csv);
    EXPECT_EQ(rows.size(), 1 + page->EventsNow()[0].s.size() + page->EventsNow()[0].v.size());
    EXPECT_TRUE(rows.value(1).startsWith(QStringLiteral("2024-04-02,騒音,75.0,")))
        << rows.value(1).toStdString();
}

TEST_F(Judging, TheRawSecondsAreReadBesideTheWindowAndADayChosenMeanwhileWins) {
    moravel::tools::SampleCardOptions options;
    options.days = 3;
    options.start = QDate(2024, 4, 1);
    chooseDirectory(makeCard(options));
    auto* page = main->TabItem5;
    QSignalSpy read(page, &moravel::data::CompliancePage::eventsShown);
    // Not read while the tab is not shown.
    main->CbDateList->setCurrentIndex(1);
    EXPECT_FALSE(page->Reading());
    main->TabControl1->setCurrentWidget(page);
    // Shown at once with the day files' figures; the seconds come later, the CSV buttons wait.
    ASSERT_TRUE(page->Reading());
    EXPECT_EQ(page->SgSummaryS->model()->rowCount(), 1);
    EXPECT_EQ(page->LbEvents->text(),
              QStringLiteral("イベント　騒音　2024/04/02(火)（生データを読み込んでいます…）"));
    EXPECT_FALSE(page->BtEventsCsv->isEnabled());
    EXPECT_FALSE(page->BtSummaryCsv->isEnabled());
    // Another day chosen meanwhile: the first reading is dropped, the second shown.
    main->CbDateList->setCurrentIndex(2);
    ASSERT_TRUE(read.wait(20000));
    EXPECT_FALSE(page->Reading());
    EXPECT_EQ(page->Days().value(0).stem, QStringLiteral("20240403"));
    const moravel::data::Compliance c = main->ComplianceNow();
    ASSERT_TRUE(c.s.value(0).hasEvents);
    EXPECT_EQ(page->SgEvents->model()->rowCount(), c.s[0].events.size());
    EXPECT_EQ(page->LbEvents->text(),
              QStringLiteral("イベント　騒音　2024/04/03(水)（%1件）").arg(c.s[0].events.size()));
    EXPECT_TRUE(page->BtEventsCsv->isEnabled());
    EXPECT_TRUE(page->BtSummaryCsv->isEnabled());
    // No late result of the first day arrives.
    QCoreApplication::processEvents();
    EXPECT_EQ(read.size(), 1);
}
