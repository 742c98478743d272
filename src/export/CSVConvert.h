#pragma once

#include "export/Conversion.h"

#include <QString>
#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The export window "CSV変換保存": a save directory and the conversion of the selected day, the
// period or the whole card.
class TFmCSVConvert : public QWidget {
    Q_OBJECT

public:
    explicit TFmCSVConvert(QWidget* parent = nullptr);

    // What a run converts: the main window's selection at the moment the run starts.
    std::function<moravel::csv::ConversionRequest()> Inputs;

    QLabel* Label2 = nullptr;
    QLineEdit* EdSaveDirectory = nullptr;
    QPushButton* BtDirSettings = nullptr;
    QCheckBox* DModeConvert = nullptr;
    QPushButton* BtConvertStart = nullptr;
    bool flag = true;

    void FormCreate();
    void FormShow();
    void BtDirSettingsClick();
    void BtConvertStartClick();

protected:
    void showEvent(QShowEvent* event) override;
};
