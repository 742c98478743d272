// Loading days and periods into the level arrays and drawing them, through the real main window.
#include "WindowTest.h"

#include "graph/GraphDrawing.h"
#include "graph/ImageView.h"
#include "platform/TextFile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

using moravel::test::Black;
using moravel::test::MainWindowTest;
using moravel::test::px;
using moravel::test::Red;
using moravel::test::White;
using moravel::tools::SampleCardOptions;

namespace {

// Replaces line `index` of a card file.
void editLine(const QString& path, int index, const QString& text) {
    QStringList lines = moravel::platform::readLines(path);
    lines[index] = text;
    moravel::test::writeDeviceFile(path, lines);
}

bool isEmptyFrame(const QImage& image) {
    // Nothing but white, black frame lines, red marker lines and grey glyph edges: no series colour.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            for (QRgb series : {0xFF00008Bu, 0xFF8B008Bu, 0xFF008080u, 0xFF006400u, 0xFF800000u})
                if (c == series)
                    return false;
        }
    return true;
}

} // namespace

using Loading = MainWindowTest;

TEST_F(Loading, ADayIsDrawnAsBarsOfL05AndL10) {
    chooseDirectory(makeCard(moravel::test::cardOptions(2)));
    main->TabControl1->setCurrentIndex(1);
    main->RadioGroupChange();
    const QImage s = main->TabItem2->ImSGraph->bitmap();
    ASSERT_EQ(s.size(), QSize(930, 239));
    const moravel::graph::Plot f = moravel::graph::Plot::ofBitmap(930, 239);
    int checked = 0;
    for (int a = 0; a < 144; a += 13) {
        const int g = moravel::graph::levelStep(main->LA_List[2][a]);
        const int x0 = static_cast<int>(895.0 / 144 * a + 25);
        if (g < 3)
            continue;
        EXPECT_EQ(px(s, x0, f.stepY(g)), Black) << a;
        EXPECT_EQ(px(s, x0 + 2, f.stepY(g)), Black) << a;     // the bar's top
        EXPECT_NE(px(s, x0 + 2, f.stepY(g) - 1), Black) << a; // nothing above it
        ++checked;
    }
    EXPECT_GT(checked, 5);
    // The red reference line of 85 dB and the 30 dB line, seen between bars 10 and 11.
    EXPECT_EQ(px(s, 92, static_cast<int>(229.0 / 9 * 1.5 + 8)), Red);
    EXPECT_EQ(px(s, 92, 186), Red);
    EXPECT_EQ(main->TabItem2->ImVGraph->bitmap().size(), QSize(930, 239));
    EXPECT_EQ(dialogs.boxes().size(), 1u);
}

TEST_F(Loading, TheTimeWindowBlanksTheIntervalsOutsideIt) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->CbDataStartH->setCurrentIndex(8);
    main->CbDataStartM->setCurrentIndex(1);
    main->CbDataStopH->setCurrentIndex(17);
    for (int k = 0; k < 144; ++k) {
        const bool inside = k >= 51 && k <= 101;
        EXPECT_EQ(main->LA_List[2][k] != "000.0", inside) << k;
        EXPECT_EQ(main->LV_List[0][k] != "000.0", inside) << k;
    }
    // No bar left of 08:30.
    const QImage s = main->TabItem2->ImSGraph->bitmap();
    for (int x = 26; x < static_cast<int>(895.0 / 144 * 51 + 25); ++x)
        EXPECT_EQ(px(s, x, 150), White) << x;
}

TEST_F(Loading, APeriodOf31DaysFillsTheMonthArrays) {
    chooseDirectory(makeCard(moravel::test::cardOptions(35)));
    choosePeriod(0, 30);
    ASSERT_EQ(main->CbDateListStop->currentIndex(), 30);
    EXPECT_FALSE(main->errorFlag);
    EXPECT_EQ(main->LA_ListMaxList[0].size(), 31);
    EXPECT_EQ(main->LA_ListMaxListG[8].size(), 744);
    EXPECT_TRUE(main->LA_ListMaxList[9].isEmpty());
    // 2021-03-07 (day 6) is a Sunday, not a construction day of the sample card.
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(main->LA_ListMax[i][6], "0");
        EXPECT_EQ(main->LV_ListMax[i][6], "0");
        EXPECT_EQ(main->LA_ListMaxG[i][24 * 6 + 10], "0");
        EXPECT_NE(main->LA_ListMax[i][0], "0");
    }
    // The last day gathered stays in the day lists.
    EXPECT_EQ(main->LA_List[0].size(), 144);
    EXPECT_EQ(main->LAC_Data[17].left(10), "2021/03/31");
    // The header shown is that of the first day; the month graph is drawn.
    EXPECT_EQ(main->TabItem1->EdDate->text(), QStringLiteral("2021年03月01日~2021年03月31日"));
    EXPECT_EQ(main->TabItem2->ImGraphMS->bitmap().size(), QSize(945, 249));
    EXPECT_FALSE(isEmptyFrame(main->TabItem2->ImGraphMS->bitmap()));

    // A shorter period keeps the daily maxima of the longer one beyond its end, but empties the
    // hourly ones.
    const QString day10 = main->LA_ListMax[0][10];
    main->CbDateListStop->setCurrentIndex(2);
    EXPECT_EQ(main->LA_ListMaxList[0].size(), 3);
    EXPECT_EQ(main->LA_ListMax[0][10], day10);
    EXPECT_TRUE(main->LA_ListMaxG[0][24 * 10].isEmpty());
    EXPECT_FALSE(main->LA_ListMaxG[0][24 * 2 + 23].isEmpty());
    EXPECT_EQ(dialogs.boxes().size(), 1u);
}

TEST_F(Loading, MonthModeSetsTheMinutesToWholeHoursAndReloads) {
    chooseDirectory(makeCard(moravel::test::cardOptions(3)));
    main->CbDataStartM->setCurrentIndex(1);
    main->CbDataStopH->setCurrentIndex(12);
    main->RbDateMMode->setChecked(true);
    EXPECT_EQ(main->CbDataStartM->currentText(), "00");
    EXPECT_FALSE(main->CbDataStartM->isEnabled());
    // Hours 0 to 11 only: hour 12 and later are zero.
    EXPECT_EQ(main->LA_ListMaxG[8][12], "0");
    EXPECT_NE(main->LA_ListMaxG[8][11], "0");
    EXPECT_EQ(dialogs.boxes().size(), 1u);
}

TEST_F(Loading, AReferenceThatIsNotAWholeNumberResetsOnce) {
    for (const QString& reference : {QString(), QStringLiteral("70.5")}) {
        const QString dir = makeCard(moravel::test::cardOptions(1), "card" + reference);
        editLine(dir + "/20210301.LAC", 9, "S-ALA," + reference);
        dialogs.clear();
        chooseDirectory(dir);
        EXPECT_EQ(dialogs.texts("information"), QStringList{QStringLiteral("データは破損しています。")});
        EXPECT_TRUE(main->errorFlag);
        EXPECT_EQ(main->windowTitle(), QStringLiteral("もらべるプラス"));
        for (auto* image : {main->TabItem2->ImSGraph, main->TabItem2->ImVGraph, main->TabItem2->ImGraphMS,
                            main->TabItem2->ImGraphMV})
            EXPECT_TRUE(isEmptyFrame(image->bitmap()));
        // An empty frame: no bars, the 30 dB line.
        EXPECT_EQ(px(main->TabItem2->ImSGraph->bitmap(), 500, 150), White);
        EXPECT_EQ(px(main->TabItem2->ImSGraph->bitmap(), 500, 186), Red);
    }
}

TEST_F(Loading, ALevelThatIsNotANumberResetsWithTheGenericMessage) {
    const QString dir = makeCard(moravel::test::cardOptions(1));
    editLine(dir + "/20210301.LAC", 20, "2021/03/01 00:30,abc,abc,abc,abc,abc,abc,abc,abc,abc");
    chooseDirectory(dir);
    EXPECT_EQ(dialogs.texts("information"), QStringList{QStringLiteral("データは破損しています。")});
    EXPECT_TRUE(main->errorFlag);
}

TEST_F(Loading, ADayOfThePeriodWithoutDataRowsAbandonsThePeriod) {
    const QString dir = makeCard(moravel::test::cardOptions(3));
    QStringList lines = moravel::platform::readLines(dir + "/20210302.LVC");
    moravel::test::writeDeviceFile(dir + "/20210302.LVC", lines.mid(0, 17));
    chooseDirectory(dir);
    dialogs.clear();
    choosePeriod(0, 2);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("データは破損しています。")});
    EXPECT_TRUE(main->errorFlag);
    EXPECT_EQ(main->LA_ListMaxList[0].size(), 1); // only the first day was gathered
}

TEST_F(Loading, ChangingTheTimeWindowInTheErrorStateOfMonthMode) {
    chooseDirectory(makeCard(moravel::test::cardOptions(2)));
    main->RbDateMMode->setChecked(true);
    main->errorFlag = true;
    dialogs.clear();
    main->CbDataStartH->setCurrentIndex(3);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("データは破損しています。")});
    EXPECT_EQ(main->windowTitle(), QStringLiteral("もらべるプラス"));
}

TEST_F(Loading, APeriodWhoseDayVanishedFromTheCardIsNotShownWithAnotherDaysLevels) {
    const QString card = makeCard(moravel::test::cardOptions(5));
    chooseDirectory(card);
    choosePeriod(0, 3);
    ASSERT_FALSE(main->errorFlag);
    // The card changes under the period: its second day is gone.
    QFile::remove(card + "/20210302.LAC");
    QFile::remove(card + "/20210302.LVC");
    dialogs.clear();
    main->CbDataStartH->setCurrentIndex(8); // any reload
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("データは破損しています。")});
    EXPECT_TRUE(main->errorFlag);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("もらべるプラス"));
}
