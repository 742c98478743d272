// The main window's day files: the item page, the header checks with their messages, the error
// state and its full reset, and the loading of a day or a period into the level arrays.
#include "app/MainForm.h"

#include "common/Checked.h"
#include "common/Errors.h"
#include "data/Catalogue.h"
#include "data/DataViewForm.h"
#include "data/DayHeader.h"
#include "data/Gathering.h"
#include "graph/GraphArea.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

using moravel::platform::dialogs;
using moravel::platform::make;
using moravel::platform::makeLabel;
using moravel::platform::makePanel;
using moravel::platform::setPixelFont;

namespace {

QLineEdit* itemEdit(QWidget* page, const char* name, int x, int y, int width) {
    auto* e = make<QLineEdit>(page, name, QRect(x, y, width, 32));
    e->setReadOnly(true);
    setPixelFont(e, 16);
    return e;
}

} // namespace

void TFmMain::BuildItemPage() {
    QWidget* page = TabItem1;
    auto label = [&](const char* name, const char* text, int x, int y, int width = 180) {
        return makeLabel(page, name, QString::fromUtf8(text), QRect(x, y, width, 32), 16);
    };
    label("LbItemTarget", "１．現場名　　　　  ：", 24, 38);
    EdMeasTarget = itemEdit(page, "EdMeasTarget", 208, 38, 267);
    label("LbItemSpot", "２．測定場所　　　  ：", 24, 104);
    EdMeasSpot = itemEdit(page, "EdMeasSpot", 208, 104, 267);
    label("LbItemPosition", "３．測定位置　　　  ：", 24, 170);
    EdMeasPositionS = itemEdit(page, "EdMeasPositionS", 208, 170, 267);
    label("LbItemRegulationS", "４．規制基準・騒音Ｓ：", 24, 238);
    EdRegulationS = itemEdit(page, "EdRegulationS", 208, 238, 139);
    label("LbItemReferenceS", "基準値", 352, 238, 52);
    EdReferenceS = itemEdit(page, "EdReferenceS", 404, 238, 41);
    label("LbItemUnitS", "dB(A)", 448, 238, 60);
    label("LbItemRegulationV", "　　　　　　・振動Ｖ：", 24, 306);
    EdRegulationV = itemEdit(page, "EdRegulationV", 208, 306, 139);
    label("LbItemReferenceV", "基準値", 352, 306, 52);
    EdReferenceV = itemEdit(page, "EdReferenceV", 404, 306, 41);
    label("LbItemUnitV", "dB", 448, 306, 60);
    label("LbItemNotices", "５．特記事項　　　  ：", 24, 374);
    MmNotices = make<QPlainTextEdit>(page, "MmNotices", QRect(208, 374, 265, 64));
    MmNotices->setReadOnly(true);
    MmNotices->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setPixelFont(MmNotices, 16);
    label("LbItemDate", "６．測定期間：", 512, 32, 130);
    EdDate = itemEdit(page, "EdDate", 640, 32, 237);
    label("LbItemInstitution", "７．測定機関：", 512, 102);
    EdMeasInstitution = itemEdit(page, "EdMeasInstitution", 640, 102, 237);
    label("LbItemName", "８．測定者　：", 512, 170);
    EdMeasName = itemEdit(page, "EdMeasName", 640, 170, 237);
    label("LbItemStart", "９．LED起動時間　：", 512, 238, 170);
    EdMeasStart = itemEdit(page, "EdMeasStart", 680, 238, 197);
    label("LbItemStop", "１０．LED停止時間：", 512, 306, 170);
    EdMeasStop = itemEdit(page, "EdMeasStop", 680, 306, 197);
    label("LbItemWeek", "１１．施工曜日：", 512, 374, 140);
    QWidget* week = makePanel(page, "PnWeek", QRect(656, 374, 221, 53),
                              QStringLiteral("#PnWeek { background: #2a3b4b; border: 1px solid #5d7185; }"));
    static const char* const letters[7] = {"月", "火", "水", "木", "金", "土", "日"};
    for (int i = 0; i < 7; ++i) {
        makeLabel(week, "", QString::fromUtf8(letters[i]), QRect(24 + 24 * i, 6, 18, 18), 15);
        auto* box = make<QCheckBox>(week, "", QRect(28 + 24 * i, 26, 18, 18));
        box->setObjectName(QStringLiteral("Cb%1").arg(i + 1));
        // The boxes show the day file's flags; the mouse does not change them.
        box->setAttribute(Qt::WA_TransparentForMouseEvents, true);
        box->setFocusPolicy(Qt::NoFocus);
        Cb[static_cast<size_t>(i)] = box;
    }
    EdMeasPositionV = itemEdit(page, "EdMeasPositionV", 208, 440, 267);
    EdMeasPositionV->hide();
    QWidget* dateBar = makePanel(page, "PnDateBar", QRect(24, 470, 853, 30));
    dateBar->hide();
    LbDate = makeLabel(dateBar, "LbDate", QString(), QRect(0, 0, 853, 30), 20, Qt::AlignCenter);
}

// ---- day files and the item page ----

QString TFmMain::SelectedStem() const { return moravel::entryAt(DateNumList, CbDateList->currentIndex(), "日付一覧"); }

void TFmMain::SetEditArrayText(int index, const QString& text) {
    if (index == 6) {
        MmNotices->setPlainText(text);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(EditArray[static_cast<size_t>(index)]))
        edit->setText(text);
}

QString TFmMain::EditArrayText(int index) const {
    if (index == 6)
        return MmNotices->toPlainText();
    if (auto* edit = qobject_cast<QLineEdit*>(EditArray[static_cast<size_t>(index)]))
        return edit->text();
    return QString();
}

void TFmMain::DataRead(const QString& lacPath, const QString& lvcPath) {
    if (errorFlag)
        return;
    try {
        LAC_Data = moravel::platform::readLines(lacPath);
        LVC_Data = moravel::platform::readLines(lvcPath);
        errorFlag = false;
    } catch (const std::exception&) {
        dialogs().information(this, lvcPath + QStringLiteral("\r\n") + QStringLiteral("データが存在していません"));
        DataResetAll();
    }
}

void TFmMain::WeekChangeToStr(const QString& line) {
    const auto week = moravel::data::parseWeekLine(line);
    if (!week) {
        errorFlag = true;
        return;
    }
    for (size_t i = 0; i < 7; ++i)
        WeekArray[i]->setChecked((*week)[i]);
    errorFlag = false;
}

void TFmMain::InitDataView() {
    using moravel::data::HeaderCheck;
    try {
        if (!errorFlag && RbDateMMode->isChecked() && CbDateListStart->currentIndex() >= 0) {
            // The header shown for a period is that of its first day.
            const QString stem = moravel::entryAt(DateNumList, CbDateListStart->currentIndex(), "日付一覧");
            const QString dir = EdSelectDir->text();
            DataRead(dir + stem + QStringLiteral(".LAC"), dir + stem + QStringLiteral(".LVC"));
        }
        if (!errorFlag) {
            const HeaderCheck check = moravel::data::checkHeader(LAC_Data, LVC_Data, [this] { return SelectedStem(); });
            if (check.outcome == HeaderCheck::Outcome::HeaderEndMissing) {
                for (const QString& m : check.messages)
                    dialogs().information(this, m);
                DataResetAll();
            } else if (check.outcome == HeaderCheck::Outcome::Corrupt) {
                for (const QString& m : check.messages)
                    dialogs().information(this, m);
                DataResetAll();
                return;
            } else {
                for (int i = 0; i <= 10; ++i)
                    SetEditArrayText(i, check.items[static_cast<size_t>(i)]);
                WeekChangeToStr(moravel::lineAt(LAC_Data, 13));
                EdMeasStart->setText(check.start);
                EdMeasStop->setText(check.stop);
                if (RbDateMMode->isChecked()) {
                    if (CbDateListStart->currentIndex() >= 0 && CbDateListStop->currentIndex() >= 0)
                        EdDate->setText(CbDateListStart->currentText() + QStringLiteral("~") +
                                        CbDateListStop->currentText());
                    else
                        EdDate->setText(moravel::entryAt(moravel::platform::comboItems(CbDateListStart), 0, "日付一覧") +
                                        QStringLiteral("~") +
                                        moravel::entryAt(moravel::platform::comboItems(CbDateListStop), CbDateListStop->count() - 1,
                                                         "日付一覧"));
                } else {
                    const QString& first = moravel::lineAt(LAC_Data, 17);
                    EdDate->setText(first.left(first.indexOf(u' ') + 1));
                }
                if (CbDateList->currentIndex() >= 0) {
                    const QString text = CbDateList->currentText();
                    LbDate->setText(text);
                    if (FmGraphArea)
                        FmGraphArea->LbDate->setText(text);
                    if (FmDataView)
                        FmDataView->LbDate->setText(text);
                    setWindowTitle(QStringLiteral("もらべる - ") + text);
                } else if (CbDateListStart->currentIndex() >= 0 && CbDateListStop->currentIndex() >= 0) {
                    setWindowTitle(QStringLiteral("もらべる - ") + CbDateListStart->currentText() +
                                   QStringLiteral("-") + CbDateListStop->currentText());
                }
                errorFlag = false;
            }
        }
        TXTDataView();
    } catch (const std::exception&) {
        ShowDataError();
        DataResetAll();
    }
}

void TFmMain::TXTDataView() {
    auto text = [this](const char* name) {
        auto* e = findChild<QLineEdit*>(QString::fromLatin1(name));
        return e ? e->text() : QString();
    };
    EdMeasTarget->setText(text("SettingsEdMeasTarget"));
    EdMeasSpot->setText(text("SettingsEdMeasSpot"));
    EdMeasPositionS->setText(text("SettingsEdMeasPositionS"));
    EdRegulationS->setText(text("SettingsEdRegulationS"));
    EdRegulationV->setText(text("SettingsEdRegulationV"));
    MmNotices->setPlainText(text("SettingsEdNotices"));
    EdMeasInstitution->setText(text("SettingsEdMeasInstitution"));
    EdMeasName->setText(text("SettingsEdMeasName"));
}

void TFmMain::InitDataReset() {
    for (int i = 0; i <= 10; ++i)
        if (i != 6)
            SetEditArrayText(i, QString());
    MmNotices->clear();
    for (QCheckBox* box : WeekArray)
        box->setChecked(false);
    EdMeasStart->clear();
    EdMeasStop->clear();
    EdDate->clear();
    LbDate->clear();
    if (FmGraphArea)
        FmGraphArea->LbDate->clear();
    setWindowTitle(QStringLiteral("もらべるプラス"));
}

void TFmMain::DataResetAll() {
    errorFlag = true;
    SetDataButtonsEnabled(false);
    InitDataReset();
    GraphReset();
    DataGridReset();
}

void TFmMain::ShowDataError() { dialogs().information(this, QStringLiteral("データは破損しています。")); }

// ---- loading and the level arrays ----

void TFmMain::CbDataStartHChange() { DataView(); }

void TFmMain::DataView() {
    if (CbDateList->count() == 0)
        return;
    const QString dir = EdSelectDir->text();
    if (RbDateDMode->isChecked()) {
        PlaceDayPanels(true);
        LoGraphD->show();
        LoTableD->show();
        LoGraphM->hide();
        LoTableM->hide();
        CbDataStartM->setEnabled(true);
        CbDataStopM->setEnabled(true);
        if (!errorFlag) {
            QString stem;
            try {
                stem = SelectedStem();
            } catch (const std::exception&) {
                ShowDataError();
                DataResetAll();
                return;
            }
            DataRead(dir + stem + QStringLiteral(".LAC"), dir + stem + QStringLiteral(".LVC"));
        }
        if (!errorFlag) {
            InitDataView();
            DataListSet();
            if (errorFlag)
                DataResetAll();
            else
                RadioGroupChange();
        }
        return;
    }

    PlaceDayPanels(false);
    LoGraphD->hide();
    LoTableD->hide();
    LoGraphM->show();
    LoTableM->show();
    // A minute of "30" set back to "00" here reloads the period from inside this load.
    CbDataStartM->setCurrentIndex(0);
    CbDataStopM->setCurrentIndex(0);
    CbDataStartM->setEnabled(false);
    CbDataStopM->setEnabled(false);

    for (auto* lists : {&LA_ListMaxListG, &LV_ListMaxListG, &LA_ListMaxList, &LV_ListMaxList})
        for (auto& l : *lists)
            l.clear();
    for (auto* table : {&LA_ListMaxG, &LV_ListMaxG})
        for (auto& row : *table)
            for (auto& entry : row)
                entry.clear();

    if (errorFlag) {
        DataResetAll();
        ShowDataError();
        return;
    }
    QStringList pairs;
    try {
        // The pairs as the directory holds them now, in catalogue order.
        pairs = moravel::data::catalogueFromNames(moravel::platform::listFiles(dir));
        const QString first = moravel::entryAt(pairs, 0, "日付一覧");
        DataRead(dir + first + QStringLiteral(".LAC"), dir + first + QStringLiteral(".LVC"));
    } catch (const std::exception&) {
        DataResetAll();
        ShowDataError();
        return;
    }
    InitDataView();

    const int start = CbDateListStart->currentIndex();
    const int stop = CbDateListStop->currentIndex();
    for (int k = start; k <= stop; ++k) {
        if (!errorFlag) {
            if (k < 0 || k >= pairs.size()) {
                ShowDataError();
                DataResetAll();
                return;
            }
            DataRead(dir + pairs[k] + QStringLiteral(".LAC"), dir + pairs[k] + QStringLiteral(".LVC"));
        }
        DataListSet();
        DataListSetMax();
        if (errorFlag) {
            DataResetAll();
            return;
        }
    }

    try {
        for (int i = 0; i < moravel::LevelStatCount; ++i) {
            const auto si = static_cast<size_t>(i);
            for (int d = 0; d <= stop - start; ++d) {
                const auto sd = static_cast<size_t>(d);
                LA_ListMax[si][sd] = moravel::entryAt(LA_ListMaxList[si], d, "日最大値");
                LV_ListMax[si][sd] = moravel::entryAt(LV_ListMaxList[si], d, "日最大値");
                for (int h = 0; h < 24; ++h) {
                    const int n = 24 * d + h;
                    LA_ListMaxG[si][static_cast<size_t>(n)] = moravel::entryAt(LA_ListMaxListG[si], n, "時間最大値");
                    LV_ListMaxG[si][static_cast<size_t>(n)] = moravel::entryAt(LV_ListMaxListG[si], n, "時間最大値");
                }
            }
        }
    } catch (const std::exception&) {
        ShowDataError();
        DataResetAll();
        return;
    }
    // The refresh draws the graphs of the period; drawing them again would give the same pixels.
    const int draws = m_graphDraws;
    RadioGroupChange();
    if (m_graphDraws == draws)
        GraphDraw();
}

void TFmMain::DataListSet() {
    if (errorFlag) {
        DataResetAll();
        return;
    }
    try {
        const auto window = moravel::data::TimeWindow::fromHoursMinutes(
            moravel::toInt(CbDataStartH->currentText()), moravel::toInt(CbDataStartM->currentText()),
            moravel::toInt(CbDataStopH->currentText()), moravel::toInt(CbDataStopM->currentText()));
        moravel::data::gatherDay(LAC_Data, LVC_Data, window, LA_List, LV_List);
    } catch (const std::exception&) {
        ShowDataError();
        DataResetAll();
        errorFlag = true;
    }
}

void TFmMain::DataListSetMax() {
    if (errorFlag)
        return;
    int weekday = 0;
    try {
        weekday = moravel::data::firstRowWeekday(LAC_Data);
    } catch (const std::exception&) {
        ShowDataError();
        errorFlag = true;
        DataResetAll();
        return;
    }
    const bool construction = WeekArray[static_cast<size_t>(weekday)]->isChecked();
    try {
        moravel::data::appendDayMaxima(LA_List, construction, LA_ListMaxListG, LA_ListMaxList);
        moravel::data::appendDayMaxima(LV_List, construction, LV_ListMaxListG, LV_ListMaxList);
    } catch (const std::exception&) {
        ShowDataError();
        DataResetAll();
        errorFlag = true;
    }
}
