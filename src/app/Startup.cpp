#include "app/Startup.h"

#include "app/MainForm.h"
#include "data/DataViewForm.h"
#include "data/TablesPage.h"
#include "export/CSVConvert.h"
#include "graph/GraphArea.h"
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

} // namespace moravel::app
