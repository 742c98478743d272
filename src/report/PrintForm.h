#pragma once

#include <QWidget>

// The print window "印刷".
class TFmPrint : public QWidget {
    Q_OBJECT

public:
    explicit TFmPrint(QWidget* parent = nullptr);
};
