#include "report/PrintForm.h"

TFmPrint::TFmPrint(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FmPrint"));
    setWindowTitle(QStringLiteral("印刷"));
    resize(728, 778);
}
