// The graph page's controls and the graph window.
#include "WindowTest.h"

#include "graph/GraphArea.h"
#include "graph/GraphDrawing.h"
#include "graph/ImageView.h"
#include "platform/TextFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using moravel::test::MainWindowTest;
using moravel::test::px;
using moravel::tools::SampleCardOptions;

namespace {

// Pixels of a series colour in an image.
int countColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

} // namespace

using GraphControls = MainWindowTest;

TEST_F(GraphControls, StartUpStates) {
    EXPECT_TRUE(main->TabItem2->RbSB->isChecked());
    EXPECT_EQ(main->TabItem2->CbSMode->count(), 9);
    EXPECT_EQ(main->TabItem2->CbVMode->count(), 8);
    EXPECT_EQ(main->TabItem2->CbVMode->itemText(1), "L05");
    EXPECT_EQ(main->TabItem2->CbSMode->currentText(), "L05");
    EXPECT_EQ(main->TabItem2->CbVMode->currentText(), "L10");
    for (QCheckBox* b : main->TabItem2->SSeriesBoxes())
        EXPECT_TRUE(b->isChecked());
    EXPECT_FALSE(main->TabItem2->CbLeV->isChecked());
    EXPECT_TRUE(main->TabItem2->CbLeV->isHidden());
    EXPECT_EQ(main->TabItem2->PnMModeS->x(), -500);
    EXPECT_FALSE(main->TabItem2->PnSMode->isHidden());
    EXPECT_TRUE(main->TabItem2->Panel8->isHidden());
    EXPECT_EQ(main->FmGraphArea->windowTitle(), QStringLiteral("測定結果グラフ"));
    EXPECT_EQ(main->FmGraphArea->CbSMode->currentText(), "Leq");
    EXPECT_EQ(main->FmGraphArea->CbVMode->currentText(), "Leq");
}

TEST_F(GraphControls, TheVibrationComboSkipsLe) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->TabItem2->CbVMode->setCurrentIndex(6); // "Lmin"
    EXPECT_EQ(main->CbVModeIndex, 7);
    EXPECT_EQ(main->TabItem3->LbVMode->text(), "Lmin");
    main->TabItem2->CbVMode->setCurrentIndex(0);
    EXPECT_EQ(main->CbVModeIndex, 0);
    // The bars show Lmin: the bar of interval 0 reaches Lmin's level.
    main->TabItem2->CbVMode->setCurrentIndex(6);
    const moravel::graph::Plot f = moravel::graph::Plot::ofBitmap(930, 239);
    const int g = moravel::graph::levelStep(main->LV_List[7][40]);
    const int x0 = static_cast<int>(895.0 / 144 * 40 + 25);
    EXPECT_EQ(px(main->TabItem2->ImVGraph->bitmap(), x0 + 2, f.stepY(g)), moravel::test::Black);
}

TEST_F(GraphControls, LevelCombosDoNothingInTheErrorState) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->errorFlag = true;
    const int before = main->RefreshCount;
    main->TabItem2->CbSMode->setCurrentIndex(7);
    EXPECT_EQ(main->CbSModeIndex, 2);
    EXPECT_EQ(main->TabItem3->LbSMode->text(), "L05");
    EXPECT_EQ(main->RefreshCount, before);
}

TEST_F(GraphControls, ClearingAllSeriesRedrawsOncePerBoxAndLeavesTheFrame) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->TabItem2->RbSS->setChecked(true);
    EXPECT_TRUE(main->TabItem2->PnSMode->isHidden());
    EXPECT_FALSE(main->TabItem2->Panel8->isHidden());
    EXPECT_GT(countColour(main->TabItem2->ImSGraph->bitmap(), 0xFF008080), 0); // L50 is drawn
    const int before = main->RefreshCount;
    main->TabItem2->Button2->click();
    EXPECT_EQ(main->RefreshCount - before, 9);
    EXPECT_EQ(countColour(main->TabItem2->ImSGraph->bitmap(), 0xFF008080), 0);
    EXPECT_EQ(countColour(main->TabItem2->ImSGraph->bitmap(), 0xFF00008B), 0);
    EXPECT_GT(countColour(main->TabItem2->ImVGraph->bitmap(), 0xFF008080), 0); // vibration keeps its series
    // "全チェック" of V checks the hidden Le too; "全外す" clears it.
    main->TabItem2->Button3->click();
    EXPECT_TRUE(main->TabItem2->CbLeV->isChecked());
    EXPECT_GT(countColour(main->TabItem2->ImVGraph->bitmap(), 0xFFFF7F50), 0);
    main->TabItem2->Button4->click();
    EXPECT_FALSE(main->TabItem2->CbLeV->isChecked());
}

TEST_F(GraphControls, SeriesPanelsSlideOverTheGraph) {
    main->TabItem2->Button7->click();
    EXPECT_EQ(main->TabItem2->PnMModeS->x(), 50);
    main->TabItem2->Button5->click();
    EXPECT_EQ(main->TabItem2->PnMModeS->x(), -500);
    main->TabItem2->BtMModeV->click();
    EXPECT_EQ(main->TabItem2->PnMModeV->x(), 50);
    main->TabItem2->Button6->click();
    EXPECT_EQ(main->TabItem2->PnMModeV->x(), -500);
}

TEST_F(GraphControls, SwitchingBarsToLinesReloadsTheDay) {
    const QString dir = makeCard(moravel::test::cardOptions(1));
    chooseDirectory(dir);
    // Change the file behind the window's back: the switch reads it again.
    QStringList lines = moravel::platform::readLines(dir + "/20210301.LAC");
    lines[17] = "2021/03/01 00:00,050.0,050.0,050.0,050.0,050.0,050.0,050.0,050.0,050.0";
    moravel::test::writeDeviceFile(dir + "/20210301.LAC", lines);
    main->TabItem2->RbSS->setChecked(true);
    EXPECT_EQ(main->LA_List[0][0], "050.0");
}

TEST_F(GraphControls, TheGraphWindowChoosesTheBarLevelWithoutTouchingTheMainCombos) {
    chooseDirectory(makeCard(moravel::test::cardOptions(1)));
    main->BtShowGraph->click();
    main->FmGraphArea->CbSMode->setCurrentIndex(8);
    EXPECT_EQ(main->CbSModeIndex, 8);
    EXPECT_EQ(main->TabItem2->CbSMode->currentText(), "L05");
    EXPECT_EQ(main->TabItem3->LbSMode->text(), "L05");
    main->FmGraphArea->CbVMode->setCurrentIndex(1);
    EXPECT_EQ(main->CbVModeIndex, 2);
    // The window shows the graphs at its own size.
    EXPECT_EQ(main->FmGraphArea->ImSGraph->bitmap().size(), main->FmGraphArea->ImSGraph->size());
    EXPECT_EQ(main->FmGraphArea->LbDate->text(), QStringLiteral("2021年03月01日"));
}
