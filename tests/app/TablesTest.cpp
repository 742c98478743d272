// The result tables, the table window and the central refresh.
#include "WindowTest.h"

#include "common/Checked.h"
#include "data/Compliance.h"
#include "data/DataViewForm.h"
#include "data/GridModel.h"
#include "graph/GraphArea.h"
#include "platform/TextFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using moravel::data::cell;
using moravel::test::MainWindowTest;
using moravel::tools::SampleCardOptions;

namespace {

QString whole(const QString& level) {
    return QString::number(moravel::levelTruncated(level));
}

} // namespace

using Tables = MainWindowTest;

TEST_F(Tables, DayTablesShowTheChosenLevelsTruncated) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    const QTableView* s = main->TabItem3->SgDataView;
    EXPECT_EQ(s->model()->columnCount(), 25);
    EXPECT_EQ(s->model()->rowCount(), 7);
    EXPECT_EQ(s->columnWidth(0), 50);
    EXPECT_EQ(s->columnWidth(1), 30);
    EXPECT_EQ(cell(s, 0, 0), QStringLiteral("分＼時"));
    EXPECT_EQ(cell(s, 24, 0), "23");
    EXPECT_EQ(cell(s, 0, 1), "0~10");
    EXPECT_EQ(cell(s, 0, 6), "50~60");
    EXPECT_EQ(cell(s, 1, 1), whole(main->LA_List[2][0]));                            // L05 of 00:00-00:10
    EXPECT_EQ(cell(s, 24, 6), whole(main->LA_List[2][143]));                         // L05 of 23:50-24:00
    EXPECT_EQ(cell(main->TabItem3->SgDataView2, 5, 3), whole(main->LV_List[3][26])); // L10 of 04:20
    EXPECT_EQ(cell(main->FmDataView->SgDataView, 24, 6), whole(main->LA_List[2][143]));
    EXPECT_EQ(main->TabItem3->LbSMode->text(), "L05");
    // A time window blanks the other intervals as 0.
    main->CbDataStopH->setCurrentIndex(1);
    EXPECT_EQ(cell(s, 1, 1), whole(main->LA_List[2][0]));
    EXPECT_EQ(cell(s, 2, 1), "0");
    EXPECT_EQ(s->model()->index(1, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
}

TEST_F(Tables, AThreeDayPeriodFillsThreeRowsWithWeekdayMarks) {
    chooseDirectory(makeCard(moravel::test::cardOptions(10)));
    choosePeriod(4, 6); // Friday 5th to Sunday 7th March 2021
    const QTableView* t = main->TabItem3->DataTable;
    EXPECT_EQ(t->model()->columnCount(), 18);
    EXPECT_EQ(t->model()->rowCount(), 32);
    EXPECT_EQ(t->columnWidth(0), 180);
    EXPECT_EQ(cell(t, 0, 0), QStringLiteral("日付"));
    EXPECT_EQ(cell(t, 0, 1), QStringLiteral("2021年03月05日(金)"));
    EXPECT_EQ(cell(t, 0, 3), QStringLiteral("2021年03月07日(日)"));
    EXPECT_TRUE(cell(t, 0, 4).isEmpty());
    for (int c = 1; c <= 9; ++c)
        EXPECT_EQ(cell(t, c, 0), moravel::levelStatName(c - 1));
    EXPECT_EQ(cell(t, 10, 0), "Leq");
    EXPECT_EQ(cell(t, 11, 0), "L05"); // Le of vibration is not a column
    EXPECT_EQ(cell(t, 17, 0), "Lmax");
    EXPECT_EQ(cell(t, 3, 1), main->LA_ListMax[2][0]);
    EXPECT_EQ(cell(t, 12, 2), main->LV_ListMax[3][1]);
    // Sunday is not a construction day of the sample card: 0 in every column.
    for (int c = 1; c <= 17; ++c)
        EXPECT_EQ(cell(t, c, 3), "0") << c;
    for (int r = 4; r <= 31; ++r)
        for (int c = 0; c <= 17; ++c)
            ASSERT_TRUE(cell(t, c, r).isEmpty()) << c << "," << r;
    // The overview in the table window holds the vibration maxima (written last).
    const QTableView* overview = main->FmDataView->SgDataView;
    EXPECT_EQ(cell(overview, 0, 0), QStringLiteral("日付"));
    EXPECT_EQ(cell(overview, 0, 1), "Max");
    EXPECT_EQ(cell(overview, 10, 0), " 10");
    EXPECT_EQ(cell(overview, 1, 2), "17");
    EXPECT_EQ(cell(overview, 1, 1), main->LV_ListMax[3][0]);
}

TEST_F(Tables, ColumnChoice) {
    chooseDirectory(makeCard(moravel::test::cardOptions(3)));
    choosePeriod(0, 2);
    main->TabItem3->Button11->click(); // all noise columns off
    main->TabItem3->CbSTableL05->setChecked(true);
    main->TabItem3->CbSTableLmax->setChecked(true);
    main->TabItem3->Button12->click(); // all visible vibration columns off
    const QTableView* t = main->TabItem3->DataTable;
    EXPECT_EQ(cell(t, 1, 0), "L05");
    EXPECT_EQ(cell(t, 2, 0), "Lmax");
    EXPECT_EQ(cell(t, 1, 2), main->LA_ListMax[2][1]);
    EXPECT_EQ(cell(t, 2, 2), main->LA_ListMax[8][1]);
    for (int c = 3; c <= 17; ++c)
        for (int r = 0; r <= 31; ++r)
            ASSERT_TRUE(cell(t, c, r).isEmpty()) << c << "," << r;
    // "全チェック" of vibration checks the eight visible boxes, not the hidden Le.
    const int before = main->RefreshCount;
    main->TabItem3->Button10->click();
    EXPECT_EQ(main->RefreshCount - before, 9); // once per changed box and once at the end
    EXPECT_FALSE(main->TabItem3->CbVTableLe->isChecked());
    EXPECT_EQ(cell(t, 10, 0), "Leq");
    EXPECT_EQ(cell(t, 17, 0), "Lmax");
}

TEST_F(Tables, AfterAFailureTheNoiseTableIsEmptyAndTheVibrationTableKeepsItsValues) {
    const QString dir = makeCard(moravel::test::cardOptions(2));
    QStringList lines = moravel::platform::readLines(dir + "/20210302.LAC");
    lines[16] = "x";
    moravel::test::writeDeviceFile(dir + "/20210302.LAC", lines);
    chooseDirectory(dir);
    const QString vibration = cell(main->TabItem3->SgDataView2, 3, 3);
    ASSERT_FALSE(vibration.isEmpty());
    main->BtDateDown->click();
    EXPECT_TRUE(cell(main->TabItem3->SgDataView, 3, 3).isEmpty());
    EXPECT_EQ(cell(main->TabItem3->SgDataView, 0, 1), "0~10");
    EXPECT_EQ(cell(main->TabItem3->SgDataView2, 3, 3), vibration);
    EXPECT_EQ(dialogs.texts("information"),
              (QStringList{QStringLiteral("20210302.LAC\r\nは破損しています。")}));
}

TEST_F(Tables, TheRefreshDoesNothingInTheErrorState) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->errorFlag = true;
    main->TabItem3->NoiseDayGrid->setCell(1, 1, "x");
    main->RadioGroupChange();
    EXPECT_EQ(cell(main->TabItem3->SgDataView, 1, 1), "x");
}

TEST_F(Tables, TheTableWindowRefreshesOnlyWithItsNoiseButton) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->BtShowDataView->click();
    EXPECT_TRUE(main->FmDataView->isVisible());
    EXPECT_EQ(main->FmDataView->windowTitle(), QStringLiteral("測定結果テーブル"));
    EXPECT_EQ(main->FmDataView->LbDate->text(), QStringLiteral("2021年03月01日"));
    const int before = main->RefreshCount;
    main->FmDataView->RbV->setChecked(true);
    EXPECT_EQ(main->RefreshCount, before + 1);
    main->TabItem3->NoiseDayGrid->setCell(1, 1, "x");
    main->TabItem2->CbSMode->setCurrentIndex(0);
    EXPECT_EQ(cell(main->TabItem3->SgDataView, 1, 1), "x"); // no table refresh while 振動 is chosen there
    main->FmDataView->RbS->setChecked(true);
    EXPECT_EQ(cell(main->TabItem3->SgDataView, 1, 1), whole(main->LA_List[0][0]));
}

TEST_F(Tables, TheSummaryPageFollowsTheLoadAndTheLevels) {
    chooseDirectory(makeCard(moravel::test::cardOptions(3)));
    choosePeriod(0, 2);
    ASSERT_EQ(main->TabItem5->SgSummaryS->model()->rowCount(), 3);
    const moravel::data::Compliance summary = main->ComplianceNow();
    EXPECT_EQ(summary.sLevel, moravel::L05);
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(cell(main->TabItem5->SgSummaryS, c, 1), moravel::data::complianceCells(summary.s[1])[c])
            << c;
    EXPECT_EQ(cell(main->TabItem5->SgSummaryS, 0, 1), QStringLiteral("2021/03/02(火)"));
    EXPECT_EQ(cell(main->TabItem5->SgSummaryV, 2, 2), "75");
    EXPECT_EQ(main->TabItem5->LbSummaryS->text(), QStringLiteral("騒音　S　L05　00:00-24:00"));
    EXPECT_TRUE(main->TabItem5->isEnabled());
    // The level chosen in the combo is the level examined.
    const QString maxBefore = cell(main->TabItem5->SgSummaryS, 6, 0);
    main->TabItem2->CbSMode->setCurrentIndex(moravel::Lmax);
    EXPECT_EQ(main->TabItem5->LbSummaryS->text(), QStringLiteral("騒音　S　Lmax　00:00-24:00"));
    EXPECT_EQ(cell(main->TabItem5->SgSummaryS, 6, 0),
              moravel::data::complianceCells(main->ComplianceNow().s[0])[6]);
    EXPECT_GT(cell(main->TabItem5->SgSummaryS, 6, 0).toDouble(), maxBefore.toDouble());
    // The runs of the row chosen.
    main->TabItem5->SgSummaryS->setCurrentIndex(main->TabItem5->SgSummaryS->model()->index(1, 0));
    EXPECT_EQ(main->TabItem5->SgExceedances->model()->rowCount(),
              main->ComplianceNow().s[1].exceedances.size());
    // A failed load: empty and disabled.
    choosePeriod(0, 0);
    main->RbDateDMode->setChecked(true);
    main->errorFlag = false;
    main->DataResetAll();
    EXPECT_EQ(main->TabItem5->SgSummaryS->model()->rowCount(), 0);
    EXPECT_FALSE(main->TabItem5->isEnabled());
}
