#include "data/ItemsPage.h"

#include "common/Checked.h"
#include "common/DateText.h"
#include "platform/Widgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

using moravel::platform::make;
using moravel::platform::makeLabel;
using moravel::platform::makePanel;
using moravel::platform::setPixelFont;

namespace moravel::data {

namespace {

QLineEdit* itemEdit(QWidget* page, const char* name, int x, int y, int width) {
    auto* e = make<QLineEdit>(page, name, QRect(x, y, width, 32));
    e->setReadOnly(true);
    setPixelFont(e, 16);
    return e;
}

} // namespace

ItemsPage::ItemsPage(QWidget* parent) : QWidget(parent) {
    QWidget* page = this;
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
    for (int i = 0; i < 7; ++i) {
        makeLabel(week, "", weekdayLetter(i), QRect(24 + 24 * i, 6, 18, 18), 15);
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

    for (size_t i = 0; i < EditArray.size(); ++i)
        EditArray[i] = findChild<QLineEdit*>(QStringLiteral("Ed") + itemNames()[i]);
    WeekArray = Cb;
}

void ItemsPage::SetEditArrayText(int index, const QString& text) {
    // A text longer than its field shows its start.
    if (index == Notices) {
        MmNotices->setPlainText(text);
        MmNotices->moveCursor(QTextCursor::Start);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(EditArray[static_cast<size_t>(index)])) {
        edit->setText(text);
        edit->setCursorPosition(0);
    }
}

QString ItemsPage::EditArrayText(int index) const {
    if (index == Notices)
        return MmNotices->toPlainText();
    if (auto* edit = qobject_cast<QLineEdit*>(EditArray[static_cast<size_t>(index)]))
        return edit->text();
    return QString();
}

void ItemsPage::ShowWeek(const std::array<bool, 7>& week) {
    for (size_t i = 0; i < 7; ++i)
        WeekArray[i]->setChecked(week[i]);
}

void ItemsPage::ShowHeader(const HeaderView& header) {
    for (int i = 0; i < ItemCount; ++i)
        SetEditArrayText(i, header.items[static_cast<size_t>(i)]);
    ShowWeek(header.week);
    EdMeasStart->setText(header.start);
    EdMeasStop->setText(header.stop);
    EdDate->setText(header.date);
    for (QLineEdit* e : {EdMeasStart, EdMeasStop, EdDate})
        e->setCursorPosition(0);
    if (!header.dayText.isEmpty())
        LbDate->setText(header.dayText);
}

void ItemsPage::ShowSettingsTexts(const ItemTexts& settings) {
    for (int i :
         {MeasTarget, MeasSpot, MeasPositionS, RegulationS, RegulationV, Notices, MeasInstitution, MeasName})
        SetEditArrayText(i, settings[static_cast<size_t>(i)]);
}

void ItemsPage::Clear() {
    for (int i = 0; i < ItemCount; ++i)
        if (i != Notices)
            SetEditArrayText(i, QString());
    MmNotices->clear();
    for (QCheckBox* box : WeekArray)
        box->setChecked(false);
    EdMeasStart->clear();
    EdMeasStop->clear();
    EdDate->clear();
    LbDate->clear();
}

ItemPage ItemsPage::ItemPageNow() const {
    ItemPage page;
    for (int i = 0; i < ItemCount; ++i)
        page.items[static_cast<size_t>(i)] = EditArrayText(i);
    page.date = EdDate->text();
    page.ledStart = EdMeasStart->text();
    page.ledStop = EdMeasStop->text();
    for (size_t i = 0; i < 7; ++i)
        page.week[i] = WeekArray[i]->isChecked();
    return page;
}

int ItemsPage::Reference(int channel) const {
    return toInt((channel == 0 ? EdReferenceS : EdReferenceV)->text());
}

} // namespace moravel::data
