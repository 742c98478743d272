#include "app/MainForm.h"

#include "export/CSVConvert.h"

void TFmMain::BtCSVConvertClick() {}
