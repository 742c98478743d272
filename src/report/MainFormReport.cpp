// The main window's report buttons and what the report page reads from the main window.
#include "app/MainForm.h"

#include "report/PrintForm.h"
#include "report/ReportPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

void TFmMain::ShowPrintWindow(bool forPrinting, int printMode) {
    if (!FmPrint)
        return;
    FmPrint->PPrint->setVisible(forPrinting);
    FmPrint->PSave->setVisible(!forPrinting);
    FmPrint->PrintMode = printMode;
    if (FmPrint->isVisible()) {
        // Already open: compose the page again from what the main window shows now.
        FmPrint->FormShow();
    } else {
        FmPrint->show();
    }
    FmPrint->raise();
    FmPrint->activateWindow();
}

void TFmMain::BtPrintOutClick() {
    ShowPrintWindow(true, moravel::report::FullReport);
}

void TFmMain::BtPrintGraphClick() {
    ShowPrintWindow(true, moravel::report::GraphReport);
}

void TFmMain::BtPrintDataViewClick() {
    ShowPrintWindow(true, moravel::report::TableReport);
}

void TFmMain::BtGraphSaveClick() {
    ShowPrintWindow(false, moravel::report::FullReport);
}

moravel::report::ReportInputs TFmMain::ReportInputsNow() const {
    moravel::report::ReportInputs in;
    in.page = ItemPageNow();
    in.monthMode = RbDateMMode->isChecked();
    in.dayMode = RbDateDMode->isChecked();
    in.lines = RbSS->isChecked();
    in.periodStart = CbDateListStart->currentIndex();
    in.periodStop = CbDateListStop->currentIndex();
    for (int i = 0; i < CbDateListStart->count(); ++i)
        in.periodEntries.append(CbDateListStart->itemText(i));
    if (CbSMode->currentIndex() >= 0)
        in.sModeText = CbSMode->currentText();
    if (CbVMode->currentIndex() >= 0)
        in.vModeText = CbVMode->currentText();
    in.sModeIndex = CbSModeIndex;
    in.vModeIndex = CbVModeIndex;
    in.sSeries = SeriesList(0);
    in.vSeries = SeriesList(1);
    in.sColumns = CheckedStats(STableBoxes());
    in.vColumns = CheckedStats(VTableBoxes());
    in.la = &LA_List;
    in.lv = &LV_List;
    in.laMax = &LA_ListMax;
    in.lvMax = &LV_ListMax;
    in.laMaxG = &LA_ListMaxG;
    in.lvMaxG = &LV_ListMaxG;
    return in;
}
