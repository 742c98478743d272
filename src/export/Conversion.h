#pragma once

#include "data/Choices.h"
#include "export/Csv.h"

#include <QString>
#include <exception>
#include <functional>
#include <optional>

namespace moravel::csv {

// What a conversion run converts and where to: the main window's selection at the moment the run
// starts and the export window's save directory.
struct ConversionRequest {
    QString cardDirectory; // ends with a path separator
    QString saveDirectory;
    bool bulk = false; // every file of the card instead of the selection
    bool dayMode = true;
    std::optional<QString> dayStem;   // the day selected in day mode
    std::optional<QString> firstText; // the period's first and last day, yyyy年mm月dd日
    std::optional<QString> lastText;
    PeriodInputs period;
};

// The request of a selection: the day in day mode, the period's first and last day with its rows and
// item page otherwise. The save directory and the bulk box are the export window's.
ConversionRequest conversionRequest(const data::DisplayChoices& choices, const data::ItemPage& page,
                                    const data::CardData& data);

// What a run asks and tells on its way, in the order a run one file after the other meets it.
struct ConversionCallbacks {
    // Asked before an existing file is replaced; false leaves the file as it is and the run goes on.
    std::function<bool(const QString& path)> mayReplace;
    // The message of a routine that reports its own failure ("ファイルの保存先を確認してください。").
    std::function<void(const QString& text)> message;
    // Every failure a run meets, as it was raised, before its message (a file the system would not
    // write carries its path and the system's reason).
    std::function<void(const std::exception& error)> failure;
    // The files of a bulk run: their number at the start, the name and count of each as it is done.
    std::function<void(int total)> progressStart;
    std::function<void(const QString& name, int done)> progressStep;
    std::function<void()> progressFinish;
};

struct ConversionResult {
    bool flag = true;    // the success of the last routine that reports one
    bool failed = false; // a routine let its failure through: the run stopped there
};

// The conversion run: without the bulk box the combined day CSV or the period CSV, then in day mode
// the raw files and the two day files of the selected day; with it every raw file and every day
// file of the card. Files are written one piece at a time beside their target and renamed into
// place.
ConversionResult runConversion(const ConversionRequest& request, const ConversionCallbacks& callbacks);

// "ファイルの保存先を確認してください。"
QString saveFailedMessage();

} // namespace moravel::csv
