// The export window driven from the main window.
#include "WindowTest.h"

#include "common/Checked.h"
#include "data/GridModel.h"
#include "export/CSVConvert.h"
#include "platform/TextFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using moravel::platform::Answer;
using moravel::test::MainWindowTest;

namespace {

const QString Done = QStringLiteral("変換が完了しました。");
const QString Failed = QStringLiteral("変換が失敗しました。");
const QString SaveFailed = QStringLiteral("ファイルの保存先を確認してください。");

// A CSV file read back as a spreadsheet would: code page 932, rows at CR LF, fields at commas.
QList<QStringList> readCsv(const QString& path) {
    QList<QStringList> rows;
    const QByteArray bytes = moravel::test::readBytes(path);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    for (const QString& line : moravel::platform::decodeLines(bytes))
        rows.append(line.split(u','));
    return rows;
}

} // namespace

class ExportWindow : public MainWindowTest {
protected:
    TFmCSVConvert* window() { return main->FmCSVConvert; }
    QString out() {
        const QString dir = tmp.filePath("out");
        QDir().mkpath(dir);
        return dir;
    }
    QStringList written() { return QDir(out()).entryList(QDir::Files, QDir::Name); }
    // Opens the window, chooses the save directory and starts, answering the start question Yes.
    void run(bool bulk = false) {
        main->BtCSVConvert->click();
        dialogs.chooseFolder(out());
        window()->BtDirSettings->click();
        window()->DModeConvert->setChecked(bulk);
        dialogs.answer(Answer::Yes);
        window()->BtConvertStart->click();
    }
    QString startQuestion() {
        return out() + QStringLiteral("に変換したデータを保存します。\r\nよろしいですか？");
    }
};

TEST_F(ExportWindow, ADayRunWritesFiveFilesAndCloses) {
    chooseDirectory(makeCard(moravel::test::cardOptions(2, true)));
    main->BtDateDown->click();
    dialogs.clear();
    run();
    EXPECT_EQ(written(), (QStringList{"20210302.csv", "20210302_LA.csv", "20210302_LAC.csv",
                                      "20210302_LV.csv", "20210302_LVC.csv"}));
    EXPECT_EQ(dialogs.texts("question"), QStringList{startQuestion()});
    EXPECT_EQ(dialogs.texts("information"), QStringList{Done});
    EXPECT_FALSE(window()->isVisible());
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("CSV変換保存"));

    // The numbers are those of the tables: the noise L05 of 00:00 in the day CSV.
    const auto rows = readCsv(out() + "/20210302_LAC.csv");
    ASSERT_EQ(rows.size(), 18 + 144);
    EXPECT_EQ(rows[16], (QStringList{QStringLiteral("日付"), QStringLiteral("騒音レベル(dB)")}));
    EXPECT_EQ(rows[18][0], "2021/03/02 00:00:00");
    EXPECT_EQ(QString::number(moravel::levelTruncated(rows[18][3])),
              moravel::data::cell(main->TabItem3->SgDataView, 1, 1));
    const auto combined = readCsv(out() + "/20210302.csv");
    EXPECT_EQ(combined[18].size(), 19);
    const auto raw = readCsv(out() + "/20210302_LV.csv");
    EXPECT_EQ(raw.size(), 16 + 86400);
    EXPECT_EQ(raw.last()[0], "2021/03/02 23:59:59");

    // The same run again asks once per file; No to all still completes.
    dialogs.clear();
    main->BtCSVConvert->click();
    dialogs.answer(Answer::Yes);
    for (int i = 0; i < 5; ++i)
        dialogs.answer(i % 2 ? Answer::No : Answer::Cancel);
    const QByteArray before = moravel::test::readBytes(out() + "/20210302.csv");
    window()->BtConvertStart->click();
    EXPECT_EQ(dialogs.texts("question").size(), 6);
    EXPECT_EQ(dialogs.texts("question")[1], out() + "/20210302.csv\r\nはすでに存在します。上書きしますか？");
    EXPECT_EQ(dialogs.boxes()[1].buttons, "Yes/No/Cancel");
    EXPECT_EQ(dialogs.texts("information"), QStringList{Done});
    EXPECT_EQ(moravel::test::readBytes(out() + "/20210302.csv"), before);
}

TEST_F(ExportWindow, TheBulkRunConvertsEveryFileWithProgress) {
    chooseDirectory(makeCard(moravel::test::cardOptions(2, true)));
    dialogs.clear();
    run(true);
    EXPECT_EQ(written(),
              (QStringList{"20210301_LA.csv", "20210301_LAC.csv", "20210301_LV.csv", "20210301_LVC.csv",
                           "20210302_LA.csv", "20210302_LAC.csv", "20210302_LV.csv", "20210302_LVC.csv"}));
    EXPECT_EQ(dialogs.texts("information"), QStringList{Done});
    const QStringList progress = dialogs.progress();
    ASSERT_EQ(progress.size(), 10);
    EXPECT_EQ(progress[0], QStringLiteral("start|CSV変換保存|8"));
    EXPECT_EQ(progress[1], "20210301.LA|1/8");
    EXPECT_EQ(progress[8], "20210302.LVC|8/8");
    EXPECT_EQ(progress[9], "finish");
}

TEST_F(ExportWindow, APeriodRunWritesThePeriodCsvAndHidesTheBulkBox) {
    chooseDirectory(makeCard(moravel::test::cardOptions(7, false)));
    choosePeriod(4, 6);
    main->BtCSVConvert->click();
    EXPECT_TRUE(window()->DModeConvert->isHidden());
    dialogs.clear();
    dialogs.chooseFolder(out());
    window()->BtDirSettings->click();
    dialogs.answer(Answer::Yes);
    window()->BtConvertStart->click();
    EXPECT_EQ(written(), QStringList{QStringLiteral("2021年03月05日_2021年03月07日.CSV")});
    const auto rows = readCsv(out() + QStringLiteral("/2021年03月05日_2021年03月07日.CSV"));
    ASSERT_EQ(rows.size(), 17 + 3);
    EXPECT_EQ(rows[17][0], QStringLiteral("2021年03月05日(金)"));
    EXPECT_EQ(rows[19], (QStringList{QStringLiteral("2021年03月07日(日)"), "0", "0", "0", "0", "0", "0", "0",
                                     "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(rows[17][3], moravel::data::cell(main->TabItem3->DataTable, 3,
                                               1)); // L05 of the first day, as the month table shows
    EXPECT_EQ(dialogs.texts("information"), QStringList{Done});

    // Back in day mode the box is there again, unchecked.
    main->RbDateDMode->setChecked(true);
    window()->DModeConvert->setChecked(true);
    main->BtCSVConvert->click();
    EXPECT_FALSE(window()->DModeConvert->isHidden());
    EXPECT_FALSE(window()->DModeConvert->isChecked());
}

TEST_F(ExportWindow, AFailingRawConversionLeavesTheWindowOpen) {
    const QString dir = makeCard(moravel::test::cardOptions(1, true));
    moravel::test::writeBytes(dir + "/20210301.LA", QByteArray("\xEF\xBB\xBF\xFF"));
    chooseDirectory(dir);
    dialogs.clear();
    run();
    EXPECT_EQ(dialogs.texts("information"), QStringList{SaveFailed});
    EXPECT_TRUE(window()->isVisible());
    EXPECT_FALSE(window()->flag);
    EXPECT_EQ(written(), (QStringList{"20210301.csv", "20210301_LAC.csv", "20210301_LVC.csv"}));

    // In a bulk run the day files converted after the failing raw files make it a success.
    dialogs.clear();
    window()->DModeConvert->setChecked(true);
    dialogs.answer(Answer::Yes);
    for (int i = 0; i < 2; ++i)
        dialogs.answer(Answer::Yes);
    window()->BtConvertStart->click();
    EXPECT_EQ(dialogs.texts("information"), (QStringList{SaveFailed, Done}));
    EXPECT_FALSE(window()->isVisible());
}

TEST_F(ExportWindow, AFailingDayConversionStopsTheRun) {
    const QString dir = makeCard(moravel::test::cardOptions(1, false));
    chooseDirectory(dir);
    QStringList lines = moravel::platform::readLines(dir + "/20210301.LVC");
    moravel::test::writeDeviceFile(dir + "/20210301.LVC", lines.mid(0, 100)); // shorter than the .LAC file
    dialogs.clear();
    run();
    EXPECT_EQ(dialogs.texts("information"), QStringList{Failed});
    EXPECT_TRUE(written().isEmpty());
    EXPECT_TRUE(window()->isVisible());
    // Without a save directory the run does not start.
    window()->EdSaveDirectory->clear();
    dialogs.clear();
    window()->BtConvertStart->click();
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].kind, "warning");
    EXPECT_EQ(dialogs.boxes()[0].text, QStringLiteral("保存先を指定してください"));
    // No to the start question: nothing.
    window()->EdSaveDirectory->setText(out());
    dialogs.clear();
    dialogs.answer(Answer::No);
    window()->BtConvertStart->click();
    EXPECT_EQ(dialogs.boxes().size(), 1u);
}
