#include "WindowTest.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

namespace moravel::test {

void MainWindowTest::SetUp() {
    ASSERT_TRUE(tmp.isValid());
    dialogs.install();
    windows = moravel::app::createWindows();
    main = windows.main.get();
    main->show();
}

void MainWindowTest::TearDown() {
    EXPECT_TRUE(dialogs.unanswered().isEmpty())
        << "boxes without an answer: " << dialogs.unanswered().join(u" | ").toStdString();
    EXPECT_EQ(dialogs.pendingAnswers(), 0u) << "answers left over";
    windows = moravel::app::Windows();
}

QString MainWindowTest::makeCard(const moravel::tools::SampleCardOptions& options, const QString& name) {
    const QString dir = tmp.filePath(name);
    moravel::tools::writeSampleCard(dir, options);
    return dir;
}

void MainWindowTest::chooseDirectory(const QString& dir) {
    dialogs.chooseFolder(dir);
    main->BtSelectDir->click();
}

void MainWindowTest::choosePeriod(int first, int last) {
    main->RbDateMMode->setChecked(true);
    main->CbDateListStart->setCurrentIndex(first);
    main->CbDateListStop->setCurrentIndex(last);
}

} // namespace moravel::test
