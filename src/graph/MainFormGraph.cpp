// The main window's graphs: the graph page and its controls, the frames and the level drawing.
#include "app/MainForm.h"

#include "common/Checked.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "data/Tables.h"
#include "graph/GraphArea.h"
#include "graph/GraphDrawing.h"
#include "graph/ImageView.h"
#include "platform/Application.h"
#include "platform/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <exception>
#include <thread>

using moravel::graph::GraphStyle;
using moravel::graph::ImageView;
using moravel::graph::Plot;
using moravel::platform::guarded;
using moravel::platform::make;
using moravel::platform::makeButton;
using moravel::platform::makeLabel;
using moravel::platform::makePanel;
using moravel::platform::setPixelFont;

namespace {

QCheckBox* seriesBox(QWidget* panel, const char* name, int stat, int x, int y) {
    auto* box = make<QCheckBox>(panel, name, QRect(x, y, 80, 20));
    box->setText(moravel::levelStatName(stat));
    setPixelFont(box, 18);
    box->setStyleSheet(QStringLiteral("QCheckBox { color: %1; }")
                           .arg(QColor::fromRgba(moravel::levelStatColour(stat)).name()));
    box->setChecked(true);
    return box;
}

// The top of the graph layouts, below the bar/line choice.
constexpr int GraphTop = 32;

} // namespace

void TFmMain::BuildGraphPage() {
    QWidget* page = TabItem2;
    page->setAttribute(Qt::WA_StyledBackground, true);
    RbSB = make<QRadioButton>(page, "RbSB", QRect(5, 1, 100, 30));
    RbSB->setText(QStringLiteral("棒グラフ"));
    setPixelFont(RbSB, 20);
    RbSS = make<QRadioButton>(page, "RbSS", QRect(120, 1, 100, 30));
    RbSS->setText(QStringLiteral("線グラフ"));
    setPixelFont(RbSS, 20);

    const QString white = QStringLiteral("background: white;");
    LoGraphD = make<QWidget>(page, "LoGraphD", QRect(0, GraphTop, 996, 504));
    auto dayHalf = [&](const char* area, const char* modePanel, const char* level, const char* unit,
                       const char* combo, const char* itemPanel, const char* itemButton,
                       const char* itemLabel, const char* image, QWidget*& areaOut, QWidget*& modeOut,
                       QComboBox*& comboOut, QWidget*& itemOut, QPushButton*& buttonOut,
                       ImageView*& imageOut) {
        areaOut = makePanel(LoGraphD, area, QRect(0, 0, 996, 252));
        modeOut = makePanel(areaOut, modePanel, QRect(0, 0, 65, 252));
        makeLabel(modeOut, "", QString::fromUtf8(level), QRect(2, 8, 63, 18), 12);
        makeLabel(modeOut, "", QString::fromUtf8(unit), QRect(2, 26, 63, 18), 12);
        comboOut = make<QComboBox>(modeOut, combo, QRect(4, 50, 58, 21));
        setPixelFont(comboOut, 12);
        itemOut = makePanel(areaOut, itemPanel, QRect(0, 0, 65, 252));
        buttonOut = makeButton(itemOut, itemButton, QStringLiteral("項目"), QRect(15, 40, 35, 41), 12);
        auto* l =
            makeLabel(itemOut, "", QString::fromUtf8(itemLabel), QRect(2, 90, 63, 40), 13, Qt::AlignCenter);
        l->setWordWrap(true);
        itemOut->hide();
        imageOut = make<ImageView>(areaOut, image, QRect(65, 6, 930, 239));
        imageOut->setStyleSheet(white);
    };
    dayHalf("PnSGraphArea", "PnSMode", "騒音レベル", "dB(A)", "CbSMode", "Panel8", "Button7", "騒音　db(A)",
            "ImSGraph", PnSGraphArea, PnSMode, CbSMode, Panel8, Button7, ImSGraph);
    dayHalf("PnVGraphArea", "PnVMode", "振動レベル", "dB", "CbVMode", "Panel18", "Button8", "振動　dB",
            "ImVGraph", PnVGraphArea, PnVMode, CbVMode, Panel18, Button8, ImVGraph);

    LoGraphM = make<QWidget>(page, "LoGraphM", QRect(0, GraphTop, 996, 504));
    auto monthHalf = [&](const char* panel, const char* button, const char* label, const char* image,
                         QWidget*& panelOut, QPushButton*& buttonOut, ImageView*& imageOut) {
        panelOut = makePanel(LoGraphM, panel, QRect(0, 0, 996, 252));
        buttonOut = makeButton(panelOut, button, QStringLiteral("項目"), QRect(6, 40, 35, 41), 12);
        auto* l =
            makeLabel(panelOut, "", QString::fromUtf8(label), QRect(0, 90, 48, 40), 13, Qt::AlignCenter);
        l->setWordWrap(true);
        imageOut = make<ImageView>(panelOut, image, QRect(48, 1, 945, 249));
    };
    monthHalf("Panel9", "BtMModeS", "騒音　dB(A)", "ImGraphMS", Panel9, BtMModeS, ImGraphMS);
    monthHalf("Panel10", "BtMModeV", "振動　dB", "ImGraphMV", Panel10, BtMModeV, ImGraphMV);

    const QString panelStyle = QStringLiteral("#%1 { background: #e9eef2; border: 1px solid #5d7185; }");
    PnMModeS = makePanel(page, "PnMModeS", QRect(-500, GraphTop, 180, 189),
                         panelStyle.arg(QStringLiteral("PnMModeS")));
    CbLeqS = seriesBox(PnMModeS, "CbLeqS", moravel::Leq, 15, 7);
    CbLeS = seriesBox(PnMModeS, "CbLeS", moravel::Le, 15, 35);
    CbL05S = seriesBox(PnMModeS, "CbL05S", moravel::L05, 15, 63);
    CbL10S = seriesBox(PnMModeS, "CbL10S", moravel::L10, 15, 91);
    CbL50S = seriesBox(PnMModeS, "CbL50S", moravel::L50, 15, 119);
    CbL90S = seriesBox(PnMModeS, "CbL90S", moravel::L90, 15, 147);
    CbL95S = seriesBox(PnMModeS, "CbL95S", moravel::L95, 87, 7);
    CbLminS = seriesBox(PnMModeS, "CbLminS", moravel::Lmin, 87, 35);
    CbLmaxS = seriesBox(PnMModeS, "CbLmaxS", moravel::Lmax, 87, 63);
    Button1 = makeButton(PnMModeS, "Button1", QStringLiteral("全チェック"), QRect(88, 128, 70, 22), 15);
    Button2 = makeButton(PnMModeS, "Button2", QStringLiteral("全外す"), QRect(88, 152, 70, 22), 15);
    Button5 = makeButton(PnMModeS, "Button5", QStringLiteral("×"), QRect(152, 5, 25, 22), 20);
    PnMModeS->hide();

    PnMModeV = makePanel(page, "PnMModeV", QRect(-500, GraphTop + 252, 180, 181),
                         panelStyle.arg(QStringLiteral("PnMModeV")));
    CbLeqV = seriesBox(PnMModeV, "CbLeqV", moravel::Leq, 15, 7);
    CbL05V = seriesBox(PnMModeV, "CbL05V", moravel::L05, 15, 35);
    CbL10V = seriesBox(PnMModeV, "CbL10V", moravel::L10, 15, 63);
    CbL50V = seriesBox(PnMModeV, "CbL50V", moravel::L50, 15, 91);
    CbL90V = seriesBox(PnMModeV, "CbL90V", moravel::L90, 15, 119);
    CbL95V = seriesBox(PnMModeV, "CbL95V", moravel::L95, 15, 147);
    CbLminV = seriesBox(PnMModeV, "CbLminV", moravel::Lmin, 87, 7);
    CbLmaxV = seriesBox(PnMModeV, "CbLmaxV", moravel::Lmax, 87, 35);
    CbLeV = make<QCheckBox>(PnMModeV, "CbLeV", QRect(87, 63, 80, 20));
    CbLeV->setText(QStringLiteral("Le"));
    setPixelFont(CbLeV, 18);
    CbLeV->hide();
    Button3 = makeButton(PnMModeV, "Button3", QStringLiteral("全チェック"), QRect(88, 128, 70, 22), 15);
    Button4 = makeButton(PnMModeV, "Button4", QStringLiteral("全外す"), QRect(88, 152, 70, 22), 15);
    Button6 = makeButton(PnMModeV, "Button6", QStringLiteral("×"), QRect(152, 5, 25, 22), 20);
    PnMModeV->hide();
}

void TFmMain::ConnectGraphHandlers() {
    connect(RbSB, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([&] { RbSBChange(); });
    });
    connect(RbSS, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([&] { RbSBChange(); });
    });
    connect(CbSMode, &QComboBox::currentIndexChanged, this, [this] { guarded([&] { CbSModeChange(); }); });
    connect(CbVMode, &QComboBox::currentIndexChanged, this, [this] { guarded([&] { CbVModeChange(); }); });
    for (QCheckBox* box : SSeriesBoxes())
        connect(box, &QCheckBox::toggled, this, [this] { guarded([&] { CheckBoxClick(); }); });
    for (QCheckBox* box : VSeriesBoxes())
        connect(box, &QCheckBox::toggled, this, [this] { guarded([&] { CheckBoxClick2(); }); });
    auto onClick = [this](QPushButton* b, void (TFmMain::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { guarded([&] { (this->*handler)(); }); });
    };
    onClick(Button1, &TFmMain::Button1Click);
    onClick(Button2, &TFmMain::Button2Click);
    onClick(Button3, &TFmMain::Button3Click);
    onClick(Button4, &TFmMain::Button4Click);
    onClick(Button5, &TFmMain::Button5Click);
    onClick(Button6, &TFmMain::Button6Click);
    onClick(BtMModeS, &TFmMain::BtMModeSClick);
    onClick(Button7, &TFmMain::BtMModeSClick);
    onClick(BtMModeV, &TFmMain::BtMModeVClick);
    onClick(Button8, &TFmMain::BtMModeVClick);
}

std::array<QCheckBox*, 9> TFmMain::SSeriesBoxes() const {
    return {CbLeqS, CbLeS, CbL05S, CbL10S, CbL50S, CbL90S, CbL95S, CbLminS, CbLmaxS};
}

std::array<QCheckBox*, 9> TFmMain::VSeriesBoxes() const {
    return {CbLeqV, CbLeV, CbL05V, CbL10V, CbL50V, CbL90V, CbL95V, CbLminV, CbLmaxV};
}

QList<int> TFmMain::SeriesList(int channel) const {
    return CheckedStats(channel == 0 ? SSeriesBoxes() : VSeriesBoxes());
}

void TFmMain::ModeComboInit() {
    moravel::platform::fillCombo(CbSMode, moravel::noiseLevelItems());
    CbSMode->setCurrentIndex(2);
    moravel::platform::fillCombo(CbVMode, moravel::vibrationLevelItems());
    CbVMode->setCurrentIndex(2);
}

void TFmMain::LayoutGraphPage() {
    // Every page of the tab control has the same rectangle; the visible one is laid out already,
    // the graph page may not be while another page is shown.
    const QWidget* shown = TabControl1->currentWidget();
    const QSize page = shown ? shown->size() : TabItem2->size();
    const int w = page.width();
    const int h = std::max(2, page.height() - GraphTop);
    const int half = h / 2;
    const int rest = half;
    LoGraphD->setGeometry(0, GraphTop, w, h);
    LoGraphM->setGeometry(0, GraphTop, w, h);
    PnSGraphArea->setGeometry(0, 0, w, half);
    PnVGraphArea->setGeometry(0, half, w, rest);
    for (QWidget* left : {PnSMode, Panel8})
        left->setGeometry(0, 0, 65, half);
    for (QWidget* left : {PnVMode, Panel18})
        left->setGeometry(0, 0, 65, rest);
    // At the starting window size the page is 998 x 540: day images of 930 x 239, month images of
    // 945 x 249.
    ImSGraph->setGeometry(65, 7, std::max(1, w - 68), std::max(1, half - 15));
    ImVGraph->setGeometry(65, 7, std::max(1, w - 68), std::max(1, rest - 15));
    Panel9->setGeometry(0, 0, w, half);
    Panel10->setGeometry(0, half, w, rest);
    ImGraphMS->setGeometry(48, 1, std::max(1, w - 53), std::max(1, half - 5));
    ImGraphMV->setGeometry(48, 1, std::max(1, w - 53), std::max(1, rest - 5));
    PnMModeS->move(PnMModeS->x(), GraphTop);
    PnMModeV->move(PnMModeV->x(), GraphTop + half);
}

// ---- frames ----

void TFmMain::GraphAxis(QImage& bitmap, int reference) {
    QPainter p;
    moravel::graph::beginGraphPainter(p, bitmap);
    moravel::graph::drawDayFrame(p, Plot::ofBitmap(bitmap.width(), bitmap.height()), GraphStyle::screen(),
                                 reference);
}

void TFmMain::GraphAxisMonth(QImage& bitmap, int reference) {
    QPainter p;
    moravel::graph::beginGraphPainter(p, bitmap);
    const moravel::graph::MonthAxis axis{CbDateListStart->currentIndex(), CbDateListStop->currentIndex(),
                                         moravel::platform::comboItems(CbDateListStart)};
    moravel::graph::drawMonthFrame(p, Plot::ofBitmap(bitmap.width(), bitmap.height()), GraphStyle::screen(),
                                   reference, axis);
}

void TFmMain::GraphReset() {
    try {
        LayoutGraphPage();
        for (ImageView* image : {ImSGraph, ImVGraph, ImGraphMS, ImGraphMV})
            moravel::graph::present(
                image, FramedBitmap(QSize(std::max(1, image->width()), std::max(1, image->height())), 0));
    } catch (const std::exception&) {
    }
}

// ---- levels ----

moravel::graph::SeriesDrawing TFmMain::SeriesDrawingOf(int channel) const {
    using moravel::graph::SeriesDrawing;
    SeriesDrawing d;
    const bool s = channel == 0;
    if (RbDateMMode->isChecked()) {
        d.form = SeriesDrawing::MonthLines;
        d.hourly = s ? &LA_ListMaxG : &LV_ListMaxG;
        d.days =
            std::max(0, CbDateListStop->currentIndex()) - std::max(0, CbDateListStart->currentIndex()) + 1;
        d.series = SeriesList(channel);
    } else if (RbSS->isChecked()) {
        d.form = SeriesDrawing::DayLines;
        d.lists = s ? &LA_List : &LV_List;
        d.series = SeriesList(channel);
    } else {
        d.form = SeriesDrawing::DayBars;
        d.lists = s ? &LA_List : &LV_List;
        d.barStat = s ? CbSModeIndex : CbVModeIndex;
    }
    return d;
}

void TFmMain::BarGraphDraw(QImage& bitmap, int channel) {
    DrawLevels(bitmap, SeriesDrawingOf(channel));
}

void TFmMain::DrawLevels(QImage& bitmap, const moravel::graph::SeriesDrawing& drawing) {
    QPainter p;
    moravel::graph::beginGraphPainter(p, bitmap);
    moravel::graph::drawLevels(p, Plot::ofBitmap(bitmap.width(), bitmap.height()), GraphStyle::screen(),
                               drawing);
}

QImage TFmMain::FramedBitmap(QSize size, int reference) {
    const bool month = RbDateMMode->isChecked();
    QString key =
        QStringLiteral("%1x%2 %3 %4").arg(size.width()).arg(size.height()).arg(reference).arg(month);
    if (month) {
        // The month frame's labels come from the period's entries.
        const int start = CbDateListStart->currentIndex();
        const int stop = CbDateListStop->currentIndex();
        key += QStringLiteral(" %1 %2").arg(start).arg(stop);
        for (int i = std::max(0, start); i <= stop && i < CbDateListStart->count(); ++i)
            key += u' ' + CbDateListStart->itemText(i);
    }
    const auto cached = m_frames.constFind(key);
    if (cached != m_frames.constEnd())
        return *cached;
    QImage bitmap = moravel::graph::newBitmap(size.width(), size.height());
    if (month)
        GraphAxisMonth(bitmap, reference);
    else
        GraphAxis(bitmap, reference);
    if (m_frames.size() >= 16)
        m_frames.clear();
    m_frames.insert(key, bitmap);
    return bitmap;
}

void TFmMain::DrawPair(ImageView* s, ImageView* v) {
    const int sReference = moravel::toInt(EdReferenceS->text());
    QImage sBitmap = FramedBitmap(s->size(), sReference);
    const int vReference = moravel::toInt(EdReferenceV->text());
    QImage vBitmap = FramedBitmap(v->size(), vReference);
    const moravel::graph::SeriesDrawing sDrawing = SeriesDrawingOf(0);
    const moravel::graph::SeriesDrawing vDrawing = SeriesDrawingOf(1);
    if (sDrawing.form == moravel::graph::SeriesDrawing::DayBars) {
        DrawLevels(sBitmap, sDrawing);
        DrawLevels(vBitmap, vDrawing);
    } else {
        // Thousands of line segments each: the vibration graph is drawn on the second core while this
        // thread draws the noise graph. Both read only plain data; a failure is reported as if they
        // had been drawn one after the other.
        std::exception_ptr vFailure;
        std::thread vThread([&] {
            try {
                DrawLevels(vBitmap, vDrawing);
            } catch (...) {
                vFailure = std::current_exception();
            }
        });
        std::exception_ptr sFailure;
        try {
            DrawLevels(sBitmap, sDrawing);
        } catch (...) {
            sFailure = std::current_exception();
        }
        vThread.join();
        if (sFailure)
            std::rethrow_exception(sFailure);
        if (vFailure)
            std::rethrow_exception(vFailure);
    }
    moravel::graph::present(s, sBitmap);
    moravel::graph::present(v, vBitmap);
}

void TFmMain::GraphDraw() {
    if (errorFlag)
        return;
    try {
        LayoutGraphPage();
        // The pair of the layout the mode keeps out of sight is not drawn: every way back into sight
        // loads and draws again, or follows the full reset, which draws all four.
        if (!LoGraphD->isHidden())
            DrawPair(ImSGraph, ImVGraph);
        if (!LoGraphM->isHidden())
            DrawPair(ImGraphMS, ImGraphMV);
        if (FmGraphArea && FmGraphArea->isVisible())
            DrawPair(FmGraphArea->ImSGraph, FmGraphArea->ImVGraph);
        ++m_graphDraws;
    } catch (const std::exception&) {
        ShowDataError();
        DataResetAll();
    }
}

// ---- graph controls ----

void TFmMain::RbSBChange() {
    const bool bars = RbSB->isChecked();
    PnSMode->setVisible(bars);
    PnVMode->setVisible(bars);
    Panel8->setVisible(!bars);
    Panel18->setVisible(!bars);
    DataView();
}

void TFmMain::CbSModeChange() {
    if (errorFlag)
        return;
    CbSModeIndex = CbSMode->currentIndex();
    LbSMode->setText(CbSMode->currentText());
    RadioGroupChange();
}

void TFmMain::CbVModeChange() {
    if (errorFlag)
        return;
    CbVModeIndex = moravel::vibrationComboToStat(CbVMode->currentIndex());
    LbVMode->setText(CbVMode->currentText());
    RadioGroupChange();
}

void TFmMain::GraphAreaSModeChange(int itemIndex) {
    if (errorFlag)
        return;
    CbSModeIndex = itemIndex;
    RadioGroupChange();
}

void TFmMain::GraphAreaVModeChange(int itemIndex) {
    if (errorFlag)
        return;
    CbVModeIndex = moravel::vibrationComboToStat(itemIndex);
    RadioGroupChange();
}

void TFmMain::CheckBoxClick() {
    RadioGroupChange();
}

void TFmMain::CheckBoxClick2() {
    RadioGroupChange();
}

void TFmMain::Button1Click() {
    for (QCheckBox* box : SSeriesBoxes())
        box->setChecked(true);
}

void TFmMain::Button2Click() {
    for (QCheckBox* box : SSeriesBoxes())
        box->setChecked(false);
}

void TFmMain::Button3Click() {
    for (QCheckBox* box : VSeriesBoxes())
        box->setChecked(true);
}

void TFmMain::Button4Click() {
    for (QCheckBox* box : VSeriesBoxes())
        box->setChecked(false);
}

void TFmMain::BtMModeSClick() {
    moravel::platform::unpark(PnMModeS, {50, PnMModeS->y()});
}

void TFmMain::BtMModeVClick() {
    moravel::platform::unpark(PnMModeV, {50, PnMModeV->y()});
}

void TFmMain::Button5Click() {
    moravel::platform::park(PnMModeS, {-500, PnMModeS->y()});
}

void TFmMain::Button6Click() {
    moravel::platform::park(PnMModeV, {-500, PnMModeV->y()});
}

void TFmMain::BtShowGraphClick() {
    FmGraphArea->show();
    FmGraphArea->raise();
}
