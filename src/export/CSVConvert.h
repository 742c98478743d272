#pragma once

#include <QWidget>

// The export window "CSV変換保存".
class TFmCSVConvert : public QWidget {
    Q_OBJECT

public:
    explicit TFmCSVConvert(QWidget* parent = nullptr);
};
