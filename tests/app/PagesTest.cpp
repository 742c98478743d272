// The pages and the table model on their own, without a main window: what they show of a card's data
// and the user's choices.
#include "TestSupport.h"

#include "common/Checked.h"
#include "data/Catalogue.h"
#include "data/CompliancePage.h"
#include "data/GridModel.h"
#include "data/ItemsPage.h"
#include "data/TablesPage.h"
#include "graph/GraphPage.h"
#include "graph/ImageView.h"
#include "platform/Files.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TextFile.h"
#include "settings/SettingsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>

using moravel::data::cell;
using moravel::data::DisplayChoices;
using moravel::data::GridModel;

namespace {

class Pages : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        dir = tmp.filePath("card") + u'/';
        moravel::tools::writeSampleCard(dir, moravel::test::cardOptions(3));
    }

    // The choices of a day or a period of the card, as the window has them at start-up.
    DisplayChoices choices(bool month) const {
        moravel::data::Selection s;
        s.directory = dir;
        s.catalogue = moravel::data::catalogueFromNames(moravel::platform::listFiles(dir));
        s.monthMode = month;
        s.day = month ? -1 : 1;
        s.first = month ? 0 : -1;
        s.last = month ? 2 : -1;
        return moravel::data::choicesOf(s);
    }
    moravel::data::LoadResult load(const DisplayChoices& c) const {
        return c.monthMode() ? moravel::data::loadPeriod(c.selection, {})
                             : moravel::data::loadDay(c.selection, {});
    }

    QTemporaryDir tmp;
    QString dir;
};

QString whole(const QString& level) {
    return QString::number(moravel::levelTruncated(level));
}

} // namespace

TEST_F(Pages, TheTablesShowTheChosenLevelsAndTheTableWindowsGridFollowsTheNoiseTable) {
    moravel::data::TablesPage page;
    page.DataGridInit();
    // The table window's grid: its own fixed cells over the page's noise table.
    GridModel window(25, 7, nullptr, page.NoiseDayGrid);
    window.setCell(1, 2, "17");
    DisplayChoices day = choices(false);
    day.sStat = moravel::Lmax;
    const moravel::data::LoadResult r = load(day);
    ASSERT_TRUE(r.ok);
    page.Show(r.data, day);
    EXPECT_EQ(cell(page.SgDataView, 1, 1), whole(r.data.LA_List[moravel::Lmax][0]));
    EXPECT_EQ(cell(page.SgDataView2, 24, 6), whole(r.data.LV_List[moravel::L10][143]));
    // A cell written later on either side is the one shown.
    EXPECT_EQ(window.cell(1, 2), whole(r.data.LA_List[moravel::Lmax][1]));
    window.setCell(1, 2, "17");
    EXPECT_EQ(window.cell(1, 2), "17");
    EXPECT_EQ(page.NoiseDayGrid->cell(1, 2), whole(r.data.LA_List[moravel::Lmax][1]));
    page.DataGridReset();
    EXPECT_EQ(window.cell(1, 2), "");
    EXPECT_EQ(window.cell(0, 1), QStringLiteral("0~10"));

    // The period: the month table of the checked columns, the overview of the daily maxima.
    const DisplayChoices month = choices(true);
    const moravel::data::LoadResult m = load(month);
    ASSERT_TRUE(m.ok);
    DisplayChoices some = month;
    some.sColumns = {moravel::L05, moravel::Lmax};
    page.Show(m.data, some);
    EXPECT_EQ(cell(page.DataTable, 1, 0), "L05");
    EXPECT_EQ(cell(page.DataTable, 2, 0), "Lmax");
    EXPECT_EQ(cell(page.DataTable, 2, 3), m.data.LA_ListMax[moravel::Lmax][2]);
    EXPECT_EQ(cell(page.DataTable, 0, 1), QStringLiteral("2021年03月01日(月)"));
    EXPECT_EQ(cell(page.SgDataView, 3, 1), m.data.LV_ListMax[moravel::L10][2]); // the vibration half ends it
}

TEST_F(Pages, ABatchTellsTheViewsOnceAndAnUnchangedCellNotAtAll) {
    GridModel grid(3, 3);
    QSignalSpy changes(&grid, &GridModel::dataChanged);
    {
        GridModel::Batch batch({&grid});
        grid.setCell(1, 1, "55");
        grid.setCell(2, 2, "60");
        EXPECT_EQ(grid.cell(1, 1), "55"); // read back within the batch
        EXPECT_EQ(changes.count(), 0);
    }
    EXPECT_EQ(changes.count(), 1);
    {
        GridModel::Batch batch({&grid});
        grid.setCell(1, 1, "");
        grid.setCell(1, 1, "55");
    }
    EXPECT_EQ(changes.count(), 1);
    // A cell never written shows no text at all, not an empty one.
    EXPECT_FALSE(grid.index(0, 0).data().isValid());
    EXPECT_EQ(grid.index(2, 2).data().toString(), "60");
}

TEST_F(Pages, TheGraphPageDrawsTheFormChosen) {
    moravel::graph::GraphPage page;
    page.resize(998, 540);
    page.ModeComboInit();
    DisplayChoices day = choices(false);
    const moravel::data::LoadResult r = load(day);
    ASSERT_TRUE(r.ok);
    page.Draw(r.data, day, 85, 75);
    const QImage bars = page.ImSGraph->bitmap();
    EXPECT_EQ(bars.size(), QSize(930, 239));
    day.lines = true;
    page.Draw(r.data, day, 85, 75);
    EXPECT_NE(page.ImSGraph->bitmap(), bars);
    day.lines = false;
    page.Draw(r.data, day, 85, 75);
    EXPECT_EQ(page.ImSGraph->bitmap(), bars); // the same choices, the same pixels
    page.GraphReset(day);
    EXPECT_NE(page.ImSGraph->bitmap(), bars);
    // A level that is not a number stops the drawing.
    moravel::data::CardData broken = r.data;
    broken.LA_List[moravel::L05][7] = "abc";
    EXPECT_THROW(page.Draw(broken, day, 85, 75), moravel::DataError);
}

TEST_F(Pages, TheCompliancePageShowsADayPerRowAndEmptiesWithoutDays) {
    moravel::data::CompliancePage page;
    EXPECT_FALSE(page.isEnabled());
    const DisplayChoices month = choices(true);
    const moravel::data::LoadResult m = load(month);
    ASSERT_TRUE(m.ok);
    page.Show(m.days, month);
    EXPECT_TRUE(page.isEnabled());
    ASSERT_EQ(page.SgSummaryS->model()->rowCount(), 3);
    EXPECT_EQ(cell(page.SgSummaryS, 0, 2), QStringLiteral("2021/03/03(水)"));
    EXPECT_EQ(page.LbSummaryV->text(), QStringLiteral("振動　V　L10　00:00-24:00"));
    EXPECT_EQ(page.SgExceedances->model()->rowCount(), page.ComplianceNow().s[0].exceedances.size());
    page.Show({}, month);
    EXPECT_FALSE(page.isEnabled());
    EXPECT_EQ(page.SgSummaryS->model()->rowCount(), 0);
    EXPECT_EQ(page.LbExceedances->text(), QStringLiteral("超過の区間"));
}

TEST_F(Pages, TheSettingsPageReadsAndRegistersTheSettingsFileOfTheDirectoryItIsGiven) {
    moravel::platform::ScriptedDialogs dialogs;
    dialogs.install();
    moravel::settings::SettingsPage page;
    page.TimeComboInit();
    QStringList lines = moravel::tools::sampleHeader("1010101");
    lines[14] = "START,07:00"; // the minutes are not read: a file with whole hours is written back as it was
    moravel::test::writeDeviceFile(dir + "MORVEL.TXT", lines);
    page.SettingsFileRead(dir);
    EXPECT_EQ(page.SettingsEdits[moravel::MeasTarget]->text(), QStringLiteral("中央区立体駐車場新築工事"));
    EXPECT_EQ(page.CbStartH->currentText(), "07");
    EXPECT_TRUE(page.SettingsCb[0]->isChecked());
    EXPECT_FALSE(page.SettingsCb[1]->isChecked());
    const QByteArray before = moravel::test::readBytes(dir + "MORVEL.TXT");
    // Not FAT32: write anyway; the directory; the file replaced.
    for (int i = 0; i < 3; ++i)
        dialogs.answer(moravel::platform::Answer::Yes);
    page.Register(dir);
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("保存完了しました"));
    EXPECT_EQ(moravel::test::readBytes(dir + "MORVEL.TXT"), before); // nothing changed, the same bytes
    EXPECT_TRUE(dialogs.unanswered().isEmpty());
}

TEST_F(Pages, ALongItemShowsItsStart) {
    moravel::data::ItemsPage page;
    page.resize(1000, 540);
    page.show();
    const QString notices = QStringLiteral("工事の騒音は午前八時から午後六時まで。") + QString(60, u'続');
    page.SetEditArrayText(moravel::Notices, notices);
    page.SetEditArrayText(moravel::MeasTarget, QStringLiteral("とても長い現場名") + QString(40, u'長'));
    EXPECT_EQ(page.EdMeasTarget->cursorPosition(), 0);
    EXPECT_EQ(page.MmNotices->textCursor().position(), 0);
    EXPECT_EQ(page.MmNotices->verticalScrollBar()->value(), 0);
}
