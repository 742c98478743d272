// The main window's export button and what a conversion run reads from the main window.
#include "app/MainForm.h"

#include "export/CSVConvert.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

void TFmMain::BtCSVConvertClick() {
    if (!FmCSVConvert)
        return;
    // Modal: the other windows take no input while it is open.
    FmCSVConvert->show();
    FmCSVConvert->raise();
    FmCSVConvert->activateWindow();
}

moravel::csv::ConversionRequest TFmMain::ExportInputsNow() const {
    moravel::csv::ConversionRequest in;
    in.cardDirectory = EdSelectDir->text();
    in.dayMode = RbDateDMode->isChecked();
    const int day = CbDateList->currentIndex();
    if (day >= 0 && day < DateNumList.size())
        in.dayStem = DateNumList[day];
    const int first = CbDateListStart->currentIndex();
    const int last = CbDateListStop->currentIndex();
    if (first >= 0)
        in.firstText = CbDateListStart->currentText();
    if (last >= 0)
        in.lastText = CbDateListStop->currentText();
    moravel::csv::PeriodInputs& p = in.period;
    p.page = ItemPageNow();
    // The rows of the period: from the first day for (last - first) + 1 days, none without a first day.
    if (first >= 0)
        for (int i = 0; i <= last - first; ++i)
            p.dayTexts.append(CbDateListStart->itemText(first + i));
    p.la = &LA_ListMax;
    p.lv = &LV_ListMax;
    return in;
}
