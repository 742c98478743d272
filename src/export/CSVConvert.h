#pragma once

#include "export/Csv.h"

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What a conversion run reads from the main window at the moment it runs.
struct ExportInputs {
    QString cardDirectory;            // ends with a path separator
    bool dayMode = true;              // 日報モード checked
    std::optional<QString> dayStem;   // the day selected in day mode
    std::optional<QString> firstText; // the selected first and last day of the period
    std::optional<QString> lastText;
    moravel::csv::PeriodInputs period;
};

// The export window "CSV変換保存": a save directory and the conversion of the selected day, the
// period or the whole card.
class TFmCSVConvert : public QWidget {
    Q_OBJECT

public:
    explicit TFmCSVConvert(QWidget* parent = nullptr);

    std::function<ExportInputs()> Inputs;

    QLabel* Label2 = nullptr;
    QLineEdit* EdSaveDirectory = nullptr;
    QPushButton* BtDirSettings = nullptr;
    QCheckBox* DModeConvert = nullptr;
    QPushButton* BtConvertStart = nullptr;
    std::array<QString, 7> WeekArray;
    bool flag = true;

    void FormCreate();
    void FormShow();
    void BtDirSettingsClick();
    void BtConvertStartClick();

    // The routines of a run. CSVLAC, CSVLVC and SaveFile let their failures through; the other three
    // report their own and set or clear `flag`.
    void CSVLAC();
    void CSVLVC();
    void SaveFile();
    void ALLCSVLAC();
    void CSVLALV();
    void ALLCSVLALV();
    void FileListSort(QStringList& paths);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString SaveDirectory() const;
    bool MayReplace(const QString& path);
    void Save(const QString& name, const QByteArray& bytes);
    void ConvertRaw(const QStringList& paths);
    // The raw files of the card's listing that the chooser's filter takes (the chooser may fail).
    void ConvertRawListed(const std::function<std::function<bool(const QString&)>()>& chooser);
    using Sink = std::function<void(QByteArrayView)>;
    // Reads a file and hands its CSV to the sink, in one piece or in chunks.
    using Converter = std::function<void(const QString& path, const Sink& sink)>;
    void ConvertFiles(const QStringList& paths, const Converter& convert,
                      const std::function<QString(const QString&)>& outputName);
    void ConvertSummaries(const QStringList& paths);
    void Progress(const QString& path);
    ExportInputs m_run; // the main window's state for the running conversion
    int m_progressDone = -1;
};
