#include "graph/GraphPage.h"

#include "common/LevelStat.h"
#include "data/Tables.h"
#include "graph/GraphDrawing.h"
#include "graph/ImageView.h"
#include "platform/Application.h"
#include "platform/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>
#include <QStackedWidget>
#include <QThreadPool>
#include <exception>

using moravel::platform::guarded;
using moravel::platform::make;
using moravel::platform::makeButton;
using moravel::platform::makeLabel;
using moravel::platform::makePanel;
using moravel::platform::setPixelFont;

namespace moravel::graph {

namespace {

QCheckBox* seriesBox(QWidget* panel, const char* name, int stat, int x, int y) {
    auto* box = make<QCheckBox>(panel, name, QRect(x, y, 80, 20));
    box->setText(levelStatName(stat));
    setPixelFont(box, 18);
    // The caption in dark text beside a swatch of the series' colour in the graphs: light series
    // colours do not read as text on the light panel.
    QPixmap swatch(12, 12);
    swatch.fill(QColor(0x1f, 0x2c, 0x38));
    {
        QPainter p(&swatch);
        p.fillRect(1, 1, 10, 10, QColor::fromRgba(levelStatColour(stat)));
    }
    box->setIcon(QIcon(swatch));
    box->setIconSize(QSize(12, 12));
    box->setStyleSheet(QStringLiteral("QCheckBox { color: #1f2c38; spacing: 3px; }"));
    box->setChecked(true);
    return box;
}

// The top of the graph layouts, below the bar/line choice.
constexpr int GraphTop = 32;

// Draws levels onto a framed bitmap of the screen.
void drawOnBitmap(QImage& bitmap, const SeriesDrawing& drawing) {
    QPainter p;
    beginGraphPainter(p, bitmap);
    drawLevels(p, Plot::ofBitmap(bitmap.width(), bitmap.height()), GraphStyle::screen(), drawing);
}

} // namespace

GraphPage::GraphPage(QWidget* parent) : QWidget(parent) {
    QWidget* page = this;
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
    CbLeqS = seriesBox(PnMModeS, "CbLeqS", Leq, 15, 7);
    CbLeS = seriesBox(PnMModeS, "CbLeS", Le, 15, 35);
    CbL05S = seriesBox(PnMModeS, "CbL05S", L05, 15, 63);
    CbL10S = seriesBox(PnMModeS, "CbL10S", L10, 15, 91);
    CbL50S = seriesBox(PnMModeS, "CbL50S", L50, 15, 119);
    CbL90S = seriesBox(PnMModeS, "CbL90S", L90, 15, 147);
    CbL95S = seriesBox(PnMModeS, "CbL95S", L95, 87, 7);
    CbLminS = seriesBox(PnMModeS, "CbLminS", Lmin, 87, 35);
    CbLmaxS = seriesBox(PnMModeS, "CbLmaxS", Lmax, 87, 63);
    Button1 = makeButton(PnMModeS, "Button1", QStringLiteral("全チェック"), QRect(88, 128, 70, 22), 15);
    Button2 = makeButton(PnMModeS, "Button2", QStringLiteral("全外す"), QRect(88, 152, 70, 22), 15);
    Button5 = makeButton(PnMModeS, "Button5", QStringLiteral("×"), QRect(152, 5, 25, 22), 20);
    PnMModeS->hide();

    PnMModeV = makePanel(page, "PnMModeV", QRect(-500, GraphTop + 252, 180, 181),
                         panelStyle.arg(QStringLiteral("PnMModeV")));
    CbLeqV = seriesBox(PnMModeV, "CbLeqV", Leq, 15, 7);
    CbL05V = seriesBox(PnMModeV, "CbL05V", L05, 15, 35);
    CbL10V = seriesBox(PnMModeV, "CbL10V", L10, 15, 63);
    CbL50V = seriesBox(PnMModeV, "CbL50V", L50, 15, 91);
    CbL90V = seriesBox(PnMModeV, "CbL90V", L90, 15, 119);
    CbL95V = seriesBox(PnMModeV, "CbL95V", L95, 15, 147);
    CbLminV = seriesBox(PnMModeV, "CbLminV", Lmin, 87, 7);
    CbLmaxV = seriesBox(PnMModeV, "CbLmaxV", Lmax, 87, 35);
    CbLeV = make<QCheckBox>(PnMModeV, "CbLeV", QRect(87, 63, 80, 20));
    CbLeV->setText(QStringLiteral("Le"));
    setPixelFont(CbLeV, 18);
    CbLeV->hide();
    Button3 = makeButton(PnMModeV, "Button3", QStringLiteral("全チェック"), QRect(88, 128, 70, 22), 15);
    Button4 = makeButton(PnMModeV, "Button4", QStringLiteral("全外す"), QRect(88, 152, 70, 22), 15);
    Button6 = makeButton(PnMModeV, "Button6", QStringLiteral("×"), QRect(152, 5, 25, 22), 20);
    PnMModeV->hide();

    connect(RbSB, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([&] { emit formChosen(); });
    });
    connect(RbSS, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([&] { emit formChosen(); });
    });
    connect(CbSMode, &QComboBox::currentIndexChanged, this, [this] { guarded([&] { emit sModeChosen(); }); });
    connect(CbVMode, &QComboBox::currentIndexChanged, this, [this] { guarded([&] { emit vModeChosen(); }); });
    for (QCheckBox* box : SSeriesBoxes())
        connect(box, &QCheckBox::toggled, this, [this] { guarded([&] { emit sSeriesChanged(); }); });
    for (QCheckBox* box : VSeriesBoxes())
        connect(box, &QCheckBox::toggled, this, [this] { guarded([&] { emit vSeriesChanged(); }); });
    auto onClick = [this](QPushButton* b, void (GraphPage::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { guarded([&] { (this->*handler)(); }); });
    };
    onClick(Button1, &GraphPage::Button1Click);
    onClick(Button2, &GraphPage::Button2Click);
    onClick(Button3, &GraphPage::Button3Click);
    onClick(Button4, &GraphPage::Button4Click);
    onClick(Button5, &GraphPage::Button5Click);
    onClick(Button6, &GraphPage::Button6Click);
    onClick(BtMModeS, &GraphPage::BtMModeSClick);
    onClick(Button7, &GraphPage::BtMModeSClick);
    onClick(BtMModeV, &GraphPage::BtMModeVClick);
    onClick(Button8, &GraphPage::BtMModeVClick);
}

std::array<QCheckBox*, 9> GraphPage::SSeriesBoxes() const {
    return {CbLeqS, CbLeS, CbL05S, CbL10S, CbL50S, CbL90S, CbL95S, CbLminS, CbLmaxS};
}

std::array<QCheckBox*, 9> GraphPage::VSeriesBoxes() const {
    return {CbLeqV, CbLeV, CbL05V, CbL10V, CbL50V, CbL90V, CbL95V, CbLminV, CbLmaxV};
}

QList<int> GraphPage::SeriesList(int channel) const {
    return data::checkedStats(platform::checkedStates(channel == 0 ? SSeriesBoxes() : VSeriesBoxes()));
}

void GraphPage::ModeComboInit() {
    platform::fillCombo(CbSMode, noiseLevelItems());
    CbSMode->setCurrentIndex(2);
    platform::fillCombo(CbVMode, vibrationLevelItems());
    CbVMode->setCurrentIndex(2);
}

void GraphPage::ShowMode(bool monthMode) {
    LoGraphD->setVisible(!monthMode);
    LoGraphM->setVisible(monthMode);
}

void GraphPage::ShowForm() {
    const bool bars = RbSB->isChecked();
    PnSMode->setVisible(bars);
    PnVMode->setVisible(bars);
    Panel8->setVisible(!bars);
    Panel18->setVisible(!bars);
}

void GraphPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutGraphPage();
}

void GraphPage::LayoutGraphPage() {
    // Every page of a tab control has the same rectangle; the visible one is laid out already, this
    // page may not be while another page is shown.
    const auto* stack = qobject_cast<const QStackedWidget*>(parentWidget());
    const QWidget* shown = stack ? stack->currentWidget() : nullptr;
    const QSize page = shown ? shown->size() : size();
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

QImage GraphPage::FramedBitmap(QSize size, int reference, const data::DisplayChoices& choices) {
    const bool month = choices.monthMode();
    QString key =
        QStringLiteral("%1x%2 %3 %4").arg(size.width()).arg(size.height()).arg(reference).arg(month);
    if (month) {
        // The month frame's labels come from the period's entries.
        const int start = choices.selection.first;
        const int stop = choices.selection.last;
        key += QStringLiteral(" %1 %2").arg(start).arg(stop);
        for (int i = std::max(0, start); i <= stop && i < choices.dateTexts.size(); ++i)
            key += u' ' + choices.dateTexts[i];
    }
    const auto cached = m_frames.constFind(key);
    if (cached != m_frames.constEnd())
        return *cached;
    QImage bitmap = newBitmap(size.width(), size.height());
    {
        QPainter p;
        beginGraphPainter(p, bitmap);
        const Plot plot = Plot::ofBitmap(bitmap.width(), bitmap.height());
        if (month)
            drawMonthFrame(p, plot, GraphStyle::screen(), reference, monthAxis(choices));
        else
            drawDayFrame(p, plot, GraphStyle::screen(), reference);
    }
    if (m_frames.size() >= 16)
        m_frames.clear();
    m_frames.insert(key, bitmap);
    return bitmap;
}

void GraphPage::GraphReset(const data::DisplayChoices& choices) {
    try {
        LayoutGraphPage();
        for (ImageView* image : {ImSGraph, ImVGraph, ImGraphMS, ImGraphMV})
            present(image, FramedBitmap(QSize(std::max(1, image->width()), std::max(1, image->height())), 0,
                                        choices));
    } catch (const std::exception&) {
    }
}

void GraphPage::DrawPair(ImageView* s, ImageView* v, const data::CardData& data,
                         const data::DisplayChoices& choices, int sReference, int vReference) {
    QImage sBitmap = FramedBitmap(s->size(), sReference, choices);
    QImage vBitmap = FramedBitmap(v->size(), vReference, choices);
    const SeriesDrawing sDrawing = seriesDrawing(choices, data, 0);
    const SeriesDrawing vDrawing = seriesDrawing(choices, data, 1);
    if (sDrawing.form == SeriesDrawing::DayBars) {
        drawOnBitmap(sBitmap, sDrawing);
        drawOnBitmap(vBitmap, vDrawing);
    } else {
        // Thousands of line segments each: the two graphs are drawn side by side in the thread pool.
        // There the raster engine draws each line itself; from any other thread it hands the long
        // segments' rows to the pool piece by piece, which on two cores costs more than the drawing.
        // Both read only plain data; a failure is reported as if they had been drawn one after the
        // other.
        std::exception_ptr sFailure, vFailure;
        QSemaphore drawn;
        auto draw = [&drawn](QImage& bitmap, const SeriesDrawing& drawing, std::exception_ptr& failure) {
            return [&drawn, &bitmap, &drawing, &failure] {
                try {
                    drawOnBitmap(bitmap, drawing);
                } catch (...) {
                    failure = std::current_exception();
                }
                drawn.release();
            };
        };
        QThreadPool* pool = QThreadPool::globalInstance();
        pool->start(draw(vBitmap, vDrawing, vFailure));
        pool->start(draw(sBitmap, sDrawing, sFailure));
        drawn.acquire(2);
        if (sFailure)
            std::rethrow_exception(sFailure);
        if (vFailure)
            std::rethrow_exception(vFailure);
    }
    present(s, sBitmap);
    present(v, vBitmap);
}

void GraphPage::Draw(const data::CardData& data, const data::DisplayChoices& choices, int sReference,
                     int vReference) {
    LayoutGraphPage();
    // The pair of the layout the mode keeps out of sight is not drawn: every way back into sight
    // loads and draws again, or follows the full reset, which draws all four.
    if (!LoGraphD->isHidden())
        DrawPair(ImSGraph, ImVGraph, data, choices, sReference, vReference);
    if (!LoGraphM->isHidden())
        DrawPair(ImGraphMS, ImGraphMV, data, choices, sReference, vReference);
}

void GraphPage::Button1Click() {
    for (QCheckBox* box : SSeriesBoxes())
        box->setChecked(true);
}

void GraphPage::Button2Click() {
    for (QCheckBox* box : SSeriesBoxes())
        box->setChecked(false);
}

void GraphPage::Button3Click() {
    for (QCheckBox* box : VSeriesBoxes())
        box->setChecked(true);
}

void GraphPage::Button4Click() {
    for (QCheckBox* box : VSeriesBoxes())
        box->setChecked(false);
}

void GraphPage::BtMModeSClick() {
    platform::unpark(PnMModeS, {50, PnMModeS->y()});
}

void GraphPage::BtMModeVClick() {
    platform::unpark(PnMModeV, {50, PnMModeV->y()});
}

void GraphPage::Button5Click() {
    platform::park(PnMModeS, {-500, PnMModeS->y()});
}

void GraphPage::Button6Click() {
    platform::park(PnMModeV, {-500, PnMModeV->y()});
}

} // namespace moravel::graph
