#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class TFmMain;
class TFmCSVConvert;
class TFmMeasItemSettings;
class TFmPrint;
class TFmDataView;
class TFmGraphArea;

namespace moravel::app {

// The six windows of a run, created in this order and kept until the program ends: the main
// window first (its creation runs while the others do not exist yet), then the export window, the
// settings object, the print window, the table window and the graph window.
struct Windows {
    std::unique_ptr<TFmMain> main;
    std::unique_ptr<TFmCSVConvert> csvConvert;
    std::unique_ptr<TFmMeasItemSettings> measItemSettings;
    std::unique_ptr<TFmPrint> print;
    std::unique_ptr<TFmDataView> dataView;
    std::unique_ptr<TFmGraphArea> graphArea;

    Windows();
    Windows(Windows&&) noexcept;
    Windows& operator=(Windows&& other) noexcept;
    ~Windows();
    // Destroys the windows, the secondary ones first.
    void reset();
};

Windows createWindows();

// What the command line asks of a start: moravel [--help | --version | [--] CARD...]. A file
// manager's "Open with" passes every folder chosen; the first is opened, the others are named.
struct StartRequest {
    enum class Kind { Run, Help, Version, Usage };
    Kind kind = Kind::Run;
    QString card;       // the card directory to open, or empty
    QStringList others; // further directories given, not opened
    QString message;    // what is wrong with a Usage request, for standard error
};
// The arguments after the program's name, Qt's own options already taken away.
StartRequest parseStartArguments(const QStringList& arguments);
QString startHelp();
QString startVersion();

} // namespace moravel::app
