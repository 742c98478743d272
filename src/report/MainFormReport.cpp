#include "app/MainForm.h"

#include "report/PrintForm.h"

void TFmMain::BtPrintOutClick() {}
void TFmMain::BtPrintGraphClick() {}
void TFmMain::BtPrintDataViewClick() {}
void TFmMain::BtGraphSaveClick() {}
