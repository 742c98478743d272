#pragma once

#include "TestSupport.h"
#include "app/MainForm.h"
#include "app/Startup.h"
#include "data/CompliancePage.h"
#include "data/GridModel.h"
#include "data/ItemsPage.h"
#include "data/TablesPage.h"
#include "graph/GraphPage.h"
#include "platform/ScriptedDialogs.h"
#include "settings/SettingsPage.h"

namespace moravel::test {

// The real windows on the offscreen platform, every box answered through the scripted dialogs.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a sample card into a fresh directory below the test's temporary directory.
    QString makeCard(const moravel::tools::SampleCardOptions& options,
                     const QString& name = QStringLiteral("card"));
    // Chooses a directory through "ディレクトリ選択".
    void chooseDirectory(const QString& dir);
    // Selects month mode and a period by catalogue indexes.
    void choosePeriod(int first, int last);

    QTemporaryDir tmp;
    moravel::platform::ScriptedDialogs dialogs;
    moravel::app::Windows windows;
    TFmMain* main = nullptr;
};

} // namespace moravel::test
