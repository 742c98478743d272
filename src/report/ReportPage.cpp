#include "report/ReportPage.h"

#include "graph/TimeHistory.h"

#include "common/Checked.h"
#include "common/DateText.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "data/Tables.h"
#include "graph/GraphDrawing.h"
#include "platform/Fonts.h"

#include <algorithm>

namespace moravel::report {

using data::wholeLevel;

namespace {

const QColor Black(0xFF000000u);
const QColor White(0xFFFFFFFFu);

// A drawing scene on the page: aliased lines, the fill and stroke black, text in pixel sizes. It works
// on the page's painter and leaves it as it found it.
class Scene {
public:
    explicit Scene(QPainter& p) : m_p(p) {
        m_p.save();
        m_p.setRenderHint(QPainter::Antialiasing, false);
        m_p.setRenderHint(QPainter::TextAntialiasing, true);
        stroke(Black);
        m_p.setBrush(Black);
        m_fill = Black;
    }
    ~Scene() { m_p.restore(); }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    void fontSize(int pixels) {
        QFont f(platform::uiFontFamily());
        f.setPixelSize(pixels);
        m_p.setFont(f);
    }
    void fill(const QColor& c) { m_fill = c; }
    void stroke(const QColor& c, Qt::PenStyle style = Qt::SolidLine) {
        QPen pen(c);
        pen.setWidth(1);
        pen.setStyle(style);
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        m_p.setPen(pen);
        m_stroke = pen;
    }
    // Text in a rectangle, word wrap on, vertically centred, in the fill colour.
    void text(int x, int y, int w, int h, const QString& s, Qt::Alignment horizontal = Qt::AlignLeft) {
        m_p.setPen(m_fill);
        m_p.drawText(QRect(x, y, w, h), horizontal | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextDontClip,
                     s);
        m_p.setPen(m_stroke);
    }
    // A solid line, both end pixels included.
    void line(int x0, int y0, int x1, int y1) { graph::axisLine(m_p, x0, y0, x1, y1); }
    // The outline of the rectangle from (x0, y0) to (x1, y1).
    void outline(int x0, int y0, int x1, int y1) { graph::outlineRect(m_p, x0, y0, x1, y1); }
    void fillRect(int x0, int y0, int x1, int y1, const QColor& c) {
        m_p.fillRect(QRect(x0, y0, x1 - x0, y1 - y0), c);
    }

private:
    QPainter& m_p;
    QPen m_stroke;
    QColor m_fill;
};

QString selected(const std::optional<QString>& text) {
    if (!text)
        throw DataError(QStringLiteral("レベルが選択されていません。"));
    return *text;
}

const QStringList& levelList(const data::LevelLists* lists, int stat) {
    if (!lists || stat < 0 || stat >= LevelStatCount)
        throw DataError(QStringLiteral("レベルが選択されていません。"));
    return (*lists)[static_cast<size_t>(stat)];
}

// ---- graph section ----

constexpr int TopS = 470;
constexpr int TopV = 770;

graph::Plot pagePlot(int top) {
    return {125, top, 950, 265};
}

void drawPlotFrame(QPainter& p, const ReportInputs& in, int top, int reference) {
    const graph::GraphStyle style = graph::GraphStyle::page();
    if (in.choices.monthMode())
        graph::drawMonthFrame(p, pagePlot(top), style, reference, graph::monthAxis(in.choices));
    else
        graph::drawDayFrame(p, pagePlot(top), style, reference);
}

// ---- table sections ----

// The ruling of a table of equal cells: rows + 1 lines across, columns + 1 lines down.
void ruling(Scene& s, int left, int top, int right, int rowStep, int rows, int columnStep, int columns) {
    s.stroke(Black);
    for (int k = 0; k <= rows; ++k)
        s.line(left, top + rowStep * k, right, top + rowStep * k);
    for (int j = 0; j <= columns; ++j)
        s.line(left + columnStep * j, top, left + columnStep * j, top + rowStep * rows);
}

void drawDayTable(Scene& s, int top, const QStringList& values, int count) {
    s.fontSize(12);
    ruling(s, 100, top, 1075, 24, 7, 39, 25);
    s.text(100, top, 39, 23, QStringLiteral("分＼時"), Qt::AlignHCenter);
    for (int k = 1; k <= 6; ++k)
        s.text(100, top + 24 * k, 39, 23, minuteBlockLabel(k), Qt::AlignHCenter);
    for (int j = 1; j <= 24; ++j)
        s.text(100 + 39 * j, top, 39, 23, QString::number(j - 1), Qt::AlignHCenter);
    for (int n = 0; n < count; ++n)
        s.text(100 + 39 * (n / 6 + 1), top + 24 * (n % 6 + 1), 39, 23,
               wholeLevel(entryAt(values, n, "レベル")), Qt::AlignHCenter);
}

void drawFullMonthTable(Scene& s, int top, const std::array<QString, data::MaxPeriodDays>& values, int days) {
    s.fontSize(16);
    ruling(s, 100, top, 1069, 36, 4, 57, 17);
    s.text(100, top, 58, 36, QStringLiteral("日付"), Qt::AlignHCenter);
    s.text(100, top + 72, 58, 36, QStringLiteral("日付"), Qt::AlignHCenter);
    s.text(100, top + 36, 58, 36, QStringLiteral("MAX"), Qt::AlignHCenter);
    s.text(100, top + 108, 58, 36, QStringLiteral("MAX"), Qt::AlignHCenter);
    for (int j = 1; j <= 16; ++j)
        s.text(100 + 57 * j, top, 58, 36, QString::number(j), Qt::AlignHCenter);
    for (int j = 1; j <= 15; ++j)
        s.text(100 + 57 * j, top + 72, 58, 36, QString::number(j + 16), Qt::AlignHCenter);
    // The days of the period; the cells after it stay empty rather than show what an earlier,
    // longer period left in the array.
    for (int n = 0; n < data::MaxPeriodDays && n < days; ++n)
        s.text(157 + 57 * (n % 16), top + (n < 16 ? 36 : 108), 56, 36,
               wholeLevel(values[static_cast<size_t>(n)]), Qt::AlignHCenter);
}

const std::array<QString, data::MaxPeriodDays>& dailyRow(const data::DailyMaxima* table, int stat) {
    if (!table || stat < 0 || stat >= LevelStatCount)
        throw DataError(QStringLiteral("レベルが選択されていません。"));
    return (*table)[static_cast<size_t>(stat)];
}

const data::LevelLists* dayLists(const ReportInputs& in, int channel) {
    if (!in.data)
        return nullptr;
    return channel == 0 ? &in.data->LA_List : &in.data->LV_List;
}

const data::DailyMaxima* dailyMaxima(const ReportInputs& in, int channel) {
    if (!in.data)
        return nullptr;
    return channel == 0 ? &in.data->LA_ListMax : &in.data->LV_ListMax;
}

graph::SeriesDrawing channelDrawing(const ReportInputs& in, int channel) {
    if (!in.data)
        throw DataError(QStringLiteral("レベルが選択されていません。"));
    return graph::seriesDrawing(in.choices, *in.data, channel);
}

} // namespace

QImage newPage(int width, int height) {
    QImage page(width, height, QImage::Format_ARGB32);
    page.setDevicePixelRatio(1.0);
    page.fill(0xFFFFFFFF);
    return page;
}

std::array<QString, 3> noticeRows(const QString& notices) {
    return {notices.mid(0, 16), notices.mid(16, 16), notices.mid(32, 8)};
}

void initDataPrintOut(QPainter& p, const ReportInputs& in, int pageWidth, int pageHeight) {
    Scene s(p);
    s.fillRect(0, 0, pageWidth, pageHeight, White);
    s.fill(Black);
    s.fontSize(30);
    s.text(pageWidth / 2 - 300, 20, 600, 45, QStringLiteral("―騒音 ・ 振動自動測定結果報告書―"),
           Qt::AlignHCenter);
    s.fontSize(18);
    auto row = [](int r) { return 90 + 27 * (r - 1); };
    auto label = [&](int r, const char* text, int x = 100, int w = 220) {
        s.text(x, row(r), w, 25, QString::fromUtf8(text));
    };
    label(1, "１．現場名　　　　　：");
    s.text(320, row(1), 500, 25, in.page.items[MeasTarget]);
    label(2, "２．測定場所　　　　：");
    s.text(320, row(2), 500, 25, in.page.items[MeasSpot]);
    label(3, "３．測定位置　　　　：");
    s.text(320, row(3), 245, 25, in.page.items[MeasPositionS]);
    label(4, "４．規制基準 ・ 騒音Ｓ：");
    s.text(320, row(4), 245, 25, in.page.items[RegulationS]);
    s.text(520, row(4), 170, 25,
           QStringLiteral("基準値(") + in.page.items[ReferenceS] + QStringLiteral(")dB(A)"));
    label(5, "　　　　　　 ・ 振動Ｖ：");
    s.text(320, row(5), 245, 25, in.page.items[RegulationV]);
    s.text(520, row(5), 170, 25,
           QStringLiteral("基準値(") + in.page.items[ReferenceV] + QStringLiteral(")dB"));
    label(6, "５．特記事項　　　　：");
    const auto notices = noticeRows(in.page.items[Notices]);
    for (int i = 0; i < 3; ++i)
        s.text(320, row(6 + i), 500, 25, notices[static_cast<size_t>(i)]);

    label(1, "６．測定期間：", 700, 145);
    s.text(850, row(1), 300, 25, in.page.date);
    label(2, "７．測定機関：", 700, 145);
    s.text(850, row(2), 245, 25, in.page.items[MeasInstitution]);
    label(3, "８．測定者　：", 700, 145);
    s.text(850, row(3), 245, 25, in.page.items[MeasName]);
    label(4, "９．施工曜日：", 700, 145);
    label(6, "１０．LED起動時間：", 700, 200);
    s.text(905, row(6), 245, 25, in.page.ledStart);
    label(7, "１１．LED停止時間：", 700, 200);
    s.text(905, row(7), 245, 25, in.page.ledStop);
    for (int i = 0; i < 7; ++i) {
        s.text(850 + 25 * i, row(4), 25, 25, weekdayLetter(i));
        const int x = 852 + 25 * i;
        if (in.page.week[static_cast<size_t>(i)])
            s.fillRect(x, row(5), x + 15, row(5) + 15, Black);
        else
            s.outline(x, row(5), x + 15, row(5) + 15);
    }
}

void graphPrintOut(QPainter& p, const ReportInputs& in, DayJoins& joins) {
    Scene s(p);
    s.fill(Black);
    s.fontSize(25);
    s.text(100, 370, 600, 25, QStringLiteral("＜＜測定結果グラフ＞＞"));
    const bool legend = in.choices.monthMode() || in.choices.lines;
    if (legend) {
        s.fontSize(10);
        for (int i = 0; i < LevelStatCount; ++i) {
            const int x = 700 + 70 * (i % 5);
            const int y = i < 5 ? 390 : 430;
            const QColor colour = QColor::fromRgba(levelStatColour(i));
            s.fillRect(x, y, x + 40, y + 10, colour);
            s.fill(colour);
            s.text(x, y + 10, 50, 25, QStringLiteral("＜") + levelStatName(i) + QStringLiteral("＞"));
        }
        s.fill(Black);
        s.fontSize(18);
        s.text(140, 440, 600, 25, QStringLiteral("騒音レベル　"));
        s.text(140, 740, 600, 25, QStringLiteral("振動レベル　"));
    } else {
        s.fontSize(18);
        s.text(140, 440, 600, 25,
               QStringLiteral("騒音レベル　") + selected(in.choices.sStatText) + QStringLiteral("　dB(A)"));
        s.text(140, 740, 600, 25,
               QStringLiteral("振動レベル　") + selected(in.choices.vStatText) + QStringLiteral("　dB"));
    }
    drawPlotFrame(p, in, TopS, toInt(in.page.items[ReferenceS]));
    drawPlotFrame(p, in, TopV, toInt(in.page.items[ReferenceV]));
    const graph::GraphStyle style = graph::GraphStyle::page();
    graph::drawLevels(p, pagePlot(TopS), style, channelDrawing(in, 0), &joins.s);
    graph::drawLevels(p, pagePlot(TopV), style, channelDrawing(in, 1), &joins.v);
}

void gridPrintOut(QPainter& p, const ReportInputs& in) {
    Scene s(p);
    s.fill(Black);
    s.fontSize(25);
    s.text(100, 1070, 600, 25, QStringLiteral("＜＜測定結果表＞＞"));
    s.fontSize(18);
    s.text(140, 1140, 600, 25, QStringLiteral("騒音　Ｓ") + selected(in.choices.sStatText));
    s.text(140, 1340, 600, 25, QStringLiteral("振動　Ⅴ") + selected(in.choices.vStatText));
    if (in.choices.monthMode()) {
        const int days = in.choices.periodDays();
        drawFullMonthTable(s, 1170, dailyRow(dailyMaxima(in, 0), in.choices.sStat), days);
        drawFullMonthTable(s, 1370, dailyRow(dailyMaxima(in, 1), in.choices.vStat), days);
    } else {
        drawDayTable(s, 1170, levelList(dayLists(in, 0), in.choices.sStat),
                     static_cast<int>(levelList(dayLists(in, 0), 0).size()));
        drawDayTable(s, 1370, levelList(dayLists(in, 1), in.choices.vStat),
                     static_cast<int>(levelList(dayLists(in, 1), 0).size()));
    }
}

void onlyGridPrintOut(QPainter& p, const ReportInputs& in) {
    Scene s(p);
    s.fill(Black);
    s.fontSize(25);
    s.text(100, 370, 600, 25, QStringLiteral("＜＜測定結果表＞＞"));
    s.fontSize(18);
    if (in.choices.monthMode()) {
        s.text(460, 420, 600, 25, QStringLiteral("騒音　Ｓ"));
        s.text(910, 420, 600, 25, QStringLiteral("振動　Ⅴ"));
        const int first = std::max(0, in.choices.selection.first);
        const int days = in.choices.periodDays();
        const int rows = days + 1;
        for (int w = 0; w <= rows; ++w)
            s.line(80, 450 + 36 * w, 1130, 450 + 36 * w);
        const int bottom = 450 + 36 * rows;
        s.line(80, 450, 80, bottom);
        for (int i = 1; i <= 18; ++i)
            if (i != 10)
                s.line(230 + 50 * i, 450, 230 + 50 * i, bottom);
        s.line(728, 450, 728, bottom);
        s.line(732, 450, 732, bottom);
        auto column = [&](int channel, int k) { return (channel == 0 ? 280 : 730) + 50 * k; };
        for (int k = 0; k < in.choices.sColumns.size(); ++k)
            s.text(column(0, k), 450, 50, 36, levelStatName(in.choices.sColumns[k]), Qt::AlignHCenter);
        for (int k = 0; k < in.choices.vColumns.size(); ++k)
            s.text(column(1, k), 450, 50, 36, levelStatName(in.choices.vColumns[k]), Qt::AlignHCenter);
        for (int d = 0; d < days; ++d) {
            const int y = 486 + 36 * d;
            if (in.choices.selection.first != -1)
                s.text(100, y, 150, 36, entryAt(in.choices.dateTexts, first + d, "日付一覧"),
                       Qt::AlignHCenter);
            for (int k = 0; k < in.choices.sColumns.size(); ++k)
                s.text(column(0, k), y, 50, 36,
                       wholeLevel(
                           dailyRow(dailyMaxima(in, 0), in.choices.sColumns[k]).at(static_cast<size_t>(d))),
                       Qt::AlignHCenter);
            for (int k = 0; k < in.choices.vColumns.size(); ++k)
                s.text(column(1, k), y, 50, 36,
                       wholeLevel(
                           dailyRow(dailyMaxima(in, 1), in.choices.vColumns[k]).at(static_cast<size_t>(d))),
                       Qt::AlignHCenter);
        }
        return;
    }
    if (!in.choices.monthMode()) {
        s.text(120, 420, 600, 25, QStringLiteral("騒音　Ｓ　") + selected(in.choices.sStatText));
        s.text(120, 740, 600, 25, QStringLiteral("振動　Ⅴ　") + selected(in.choices.vStatText));
    }
    drawDayTable(s, 450, levelList(dayLists(in, 0), in.choices.sStat),
                 static_cast<int>(levelList(dayLists(in, 0), 0).size()));
    drawDayTable(s, 770, levelList(dayLists(in, 1), in.choices.vStat),
                 static_cast<int>(levelList(dayLists(in, 1), 0).size()));
}

namespace {

// The runs above the reference of every day of both channels, a line each; under a day, its
// warning and the events of its raw seconds whose peak is above the reference.
QStringList runLines(const data::Compliance& compliance) {
    QStringList lines;
    auto channel = [&](const QString& name, const QList<data::ChannelDay>& days) {
        for (const data::ChannelDay& d : days) {
            const QString day = name + data::complianceCells(d)[0] + QStringLiteral("　");
            for (const data::Exceedance& r : d.exceedances)
                lines.append(day + data::clockText(r.start) + u'-' + data::clockText(r.end) +
                             QStringLiteral("　%1区間　最大 ").arg(r.entries) + data::levelText(r.peak));
            if (!d.warning.isEmpty())
                lines.append(day + QStringLiteral("※") + d.warning);
            for (const data::Event& e : d.events)
                if (e.peak > 10 * d.reference)
                    lines.append(day + QStringLiteral("イベント ") + graph::clockText(e.start) + u'-' +
                                 graph::clockText(e.end) + QStringLiteral("　最大 ") +
                                 data::deciText(e.peak) +
                                 (e.coinciding ? QStringLiteral("　騒音・振動同時") : QString()));
        }
    };
    channel(QStringLiteral("騒音　"), compliance.s);
    channel(QStringLiteral("振動　"), compliance.v);
    return lines;
}

constexpr int RunLineHeight = 24;
constexpr int RunTop = 130;
constexpr int RunsPerPage = (PageHeight - RunTop - 80) / RunLineHeight;

} // namespace

int compliancePageCount(const data::Compliance& compliance) {
    const int runs = static_cast<int>(runLines(compliance).size());
    return 1 + std::max(1, (runs + RunsPerPage - 1) / RunsPerPage);
}

void compliancePrintOut(QPainter& p, const data::Compliance& compliance, const QString& periodText, int page,
                        int pageWidth, int pageHeight) {
    Scene s(p);
    s.fillRect(0, 0, pageWidth, pageHeight, White);
    s.fill(Black);
    s.fontSize(30);
    s.text(pageWidth / 2 - 300, 20, 600, 45,
           page == 0 ? QStringLiteral("―騒音 ・ 振動 集計―") : QStringLiteral("―基準値を超えた区間―"),
           Qt::AlignHCenter);
    s.fontSize(18);
    s.text(100, 80, 900, 25,
           QStringLiteral("測定期間：") + periodText + QStringLiteral("　　時間帯：") +
               data::windowText(compliance.window));
    if (page > 0) {
        const QStringList lines = runLines(compliance);
        if (lines.isEmpty()) {
            s.text(100, RunTop, 900, RunLineHeight, QStringLiteral("基準値を超えた区間はありません。"));
            return;
        }
        const int first = (page - 1) * RunsPerPage;
        for (int i = first; i < lines.size() && i < first + RunsPerPage; ++i)
            s.text(100, RunTop + RunLineHeight * (i - first), 1000, RunLineHeight, lines[i]);
        return;
    }
    // The tables' columns, and the warning of each day: the intervals that a maxima method finds
    // above the reference and the method chosen does not.
    static const int widths[] = {180, 70, 70, 120, 90, 90, 90, 90, 100, 90};
    const QStringList headings = data::complianceHeadings() << QStringLiteral("警告");
    auto table = [&](int top, const QString& heading, const QList<data::ChannelDay>& days) {
        s.fontSize(18);
        s.text(100, top, 600, 25, heading);
        const int first = top + 30;
        const int rows = static_cast<int>(days.size()) + 1;
        s.fontSize(14);
        QList<QStringList> cells;
        for (const data::ChannelDay& d : days)
            cells.append(data::complianceCells(d)
                         << (d.warningEntries > 0 ? QStringLiteral("※%1区間").arg(d.warningEntries)
                                                  : QStringLiteral("－")));
        int x = 100;
        for (int c = 0; c < headings.size(); ++c) {
            s.text(x, first, widths[c], 22, headings[c], Qt::AlignHCenter);
            for (int r = 1; r < rows; ++r)
                s.text(x, first + 22 * r, widths[c], 22, cells[r - 1][c], Qt::AlignHCenter);
            x += widths[c];
        }
        for (int r = 0; r <= rows; ++r)
            s.line(100, first + 22 * r, x, first + 22 * r);
        int at = 100;
        for (int c = 0; c <= headings.size(); ++c) {
            s.line(at, first, at, first + 22 * rows);
            if (c < headings.size())
                at += widths[c];
        }
        return first + 22 * rows;
    };
    // The heading names the method where it is not the level itself.
    auto judged = [](data::Method method, int level) {
        return method == data::Method::Statistic
                   ? levelStatName(level)
                   : QStringLiteral("判定：") + data::methodTitle(method, level);
    };
    const int end = table(120,
                          QStringLiteral("騒音　Ｓ　") + judged(compliance.sMethod, compliance.sLevel) +
                              QStringLiteral("　dB(A)"),
                          compliance.s);
    table(end + 20,
          QStringLiteral("振動　Ⅴ　") + judged(compliance.vMethod, compliance.vLevel) +
              QStringLiteral("　dB"),
          compliance.v);
}

void composePage(QPainter& p, const ReportInputs& in, int printMode, DayJoins& joins, int pageWidth,
                 int pageHeight) {
    initDataPrintOut(p, in, pageWidth, pageHeight);
    if (printMode == FullReport || printMode == GraphReport)
        graphPrintOut(p, in, joins);
    if (printMode == FullReport)
        gridPrintOut(p, in);
    if (printMode == TableReport)
        onlyGridPrintOut(p, in);
}

void composePage(QImage& page, const ReportInputs& in, int printMode, DayJoins& joins) {
    QPainter p(&page);
    composePage(p, in, printMode, joins, page.width(), page.height());
}

} // namespace moravel::report
