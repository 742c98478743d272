#include "export/CSVConvert.h"

TFmCSVConvert::TFmCSVConvert(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("FmCSVConvert"));
    setWindowTitle(QStringLiteral("CSV変換保存"));
    setFixedSize(319, 123);
}
