#include "app/Startup.h"

#include "app/MainForm.h"
#include "data/DataViewForm.h"
#include "data/TablesPage.h"
#include "export/CSVConvert.h"
#include "graph/GraphArea.h"
#include "platform/Version.h"
#include "report/PrintForm.h"
#include "settings/MeasItemSettings.h"
#include "settings/SettingsPage.h"

#include <QLineEdit>

namespace moravel::app {

Windows::Windows() = default;
Windows::Windows(Windows&&) noexcept = default;

Windows& Windows::operator=(Windows&& other) noexcept {
    if (this != &other) {
        reset();
        main = std::move(other.main);
        csvConvert = std::move(other.csvConvert);
        measItemSettings = std::move(other.measItemSettings);
        print = std::move(other.print);
        dataView = std::move(other.dataView);
        graphArea = std::move(other.graphArea);
    }
    return *this;
}

Windows::~Windows() {
    reset();
}

void Windows::reset() {
    if (main) {
        main->FmCSVConvert = nullptr;
        main->FmMeasItemSettings = nullptr;
        main->FmPrint = nullptr;
        main->FmDataView = nullptr;
        main->FmGraphArea = nullptr;
    }
    graphArea.reset();
    dataView.reset();
    print.reset();
    measItemSettings.reset();
    csvConvert.reset();
    main.reset();
}

Windows createWindows() {
    Windows w;
    w.main = std::make_unique<TFmMain>();
    w.csvConvert = std::make_unique<TFmCSVConvert>(w.main.get());
    w.main->FmCSVConvert = w.csvConvert.get();
    TFmMain* main = w.main.get();
    w.measItemSettings =
        std::make_unique<TFmMeasItemSettings>(*main->TabItem4, [main] { return main->EdSelectDir->text(); });
    w.main->FmMeasItemSettings = w.measItemSettings.get();
    w.print = std::make_unique<TFmPrint>(w.main.get());
    w.main->FmPrint = w.print.get();
    w.dataView = std::make_unique<TFmDataView>(main->TabItem3->NoiseDayGrid);
    w.main->FmDataView = w.dataView.get();
    w.graphArea = std::make_unique<TFmGraphArea>();
    w.main->FmGraphArea = w.graphArea.get();
    w.main->AttachWindows();
    return w;
}

StartRequest parseStartArguments(const QStringList& arguments) {
    StartRequest request;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == u"--") {
            options = false;
        } else if (options && (argument == u"--help" || argument == u"-h")) {
            return {StartRequest::Kind::Help, {}, {}, {}};
        } else if (options && argument == u"--version") {
            return {StartRequest::Kind::Version, {}, {}, {}};
        } else if (options && argument.startsWith(u'-') && argument.size() > 1) {
            return {
                StartRequest::Kind::Usage,
                {},
                {},
                QStringLiteral("moravel: unknown option '%1'\nTry 'moravel --help' for more information.\n")
                    .arg(argument)};
        } else if (argument.isEmpty()) {
            return {StartRequest::Kind::Usage,
                    {},
                    {},
                    QStringLiteral("moravel: the card directory is an empty name\n"
                                   "Try 'moravel --help' for more information.\n")};
        } else if (request.card.isEmpty()) {
            request.card = argument;
        } else {
            request.others.append(argument);
        }
    }
    return request;
}

QString startHelp() {
    return QStringLiteral(
        "usage: moravel [CARD]\n"
        "\n"
        "Shows the noise and vibration levels a monitor wrote to its memory card: a day's or a\n"
        "period's levels as graphs and tables, the report page, the CSV conversion, the monitor's\n"
        "settings and the recording days left on the card.\n"
        "\n"
        "CARD is the card's directory, opened at start as choosing it with ディレクトリ選択 opens it;\n"
        "a file on the card opens its directory. One card is open at a time: of several, the first.\n"
        "\n"
        "  -h, --help  print this help and exit\n"
        "  --version   print the version and exit\n"
        "\n"
        "moravel-cli does the conversions and reports from a script.\n");
}

QString startVersion() {
    return QStringLiteral("moravel %1\n").arg(moravel::platform::versionText());
}

} // namespace moravel::app
