#include "report/ReportPage.h"

#include "common/Checked.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "graph/GraphFrame.h"
#include "platform/Application.h"

#include <cmath>

namespace moravel::report {

namespace {

const QColor Black(0xFF000000u);
const QColor White(0xFFFFFFFFu);
const QColor Red(0xFFFF0000u);

int floorOf(double v) { return static_cast<int>(std::floor(v)); }

// A drawing scene on the page: aliased lines, the fill and stroke black, text in pixel sizes.
class Scene {
public:
    explicit Scene(QImage& page) : m_page(page) {
        m_p.begin(&page);
        m_p.setRenderHint(QPainter::Antialiasing, false);
        m_p.setRenderHint(QPainter::TextAntialiasing, true);
        stroke(Black);
        m_p.setBrush(Black);
        m_fill = Black;
    }

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
        const QPen keep = m_stroke;
        m_p.setPen(m_fill);
        m_p.drawText(QRect(x, y, w, h), horizontal | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextDontClip, s);
        m_p.setPen(keep);
    }
    void line(int x0, int y0, int x1, int y1) {
        if (m_p.pen().style() == Qt::SolidLine)
            graph::axisLine(m_p, x0, y0, x1, y1);
        else
            m_p.drawLine(x0, y0, x1, y1);
    }
    void line(const QPointF& a, const QPointF& b) { m_p.drawLine(a, b); }
    // The outline of the rectangle from (x0, y0) to (x1, y1).
    void outline(int x0, int y0, int x1, int y1) {
        graph::outlineRect(m_p, x0, y0, x1, y1);
    }
    void fillRect(int x0, int y0, int x1, int y1, const QColor& c) { m_p.fillRect(QRect(x0, y0, x1 - x0, y1 - y0), c); }

private:
    QImage& m_page;
    QPainter m_p;
    QPen m_stroke;
    QColor m_fill;
};

QString selected(const std::optional<QString>& text) {
    if (!text)
        throw DataError(QStringLiteral("レベルが選択されていません。"));
    return *text;
}

// The day of a first-day list entry: its text after the first "月", every "日" removed.
QString entryDay(const QStringList& entries, int index) {
    QString text = entryAt(entries, index, "日付一覧");
    text = text.mid(text.indexOf(u'月') + 1);
    text.remove(u'日');
    return text;
}

QString wholeLevel(const QString& text) { return QString::number(levelTruncated(text)); }

const QStringList& levelList(const data::LevelLists* lists, int stat) {
    if (!lists || stat < 0 || stat >= LevelStatCount)
        throw DataError(QStringLiteral("レベルが選択されていません。"));
    return (*lists)[static_cast<size_t>(stat)];
}

// ---- graph section ----

// The step of a level text: Trunc(v - 20), capped at 80; a point is drawn from 1 on.
int step(const QString& text) {
    double g = std::trunc(levelValue(text) - 20);
    if (g > 80)
        g = 80;
    if (g < 0)
        g = 0;
    return static_cast<int>(g);
}

int stepY(int top, int g) { return top + 235 - floorOf(265.0 / 90 * g); }

void drawPlotFrame(Scene& s, const ReportInputs& in, int top, int reference) {
    s.fontSize(12);
    for (int i = 0; i <= 8; ++i) {
        s.stroke(Black, i == 8 ? Qt::SolidLine : Qt::DashLine);
        const int y = top + floorOf(265.0 / 9 * i);
        s.line(125, y, 1075, y);
        s.text(100, top + floorOf(265.0 / 9 * i - 5), 20, 10, QString::number(100 - 10 * i));
    }
    s.stroke(Black);
    if (in.monthMode) {
        const int first = in.periodStart;
        const int n = in.periodStop - in.periodStart + 1;
        for (int i = 0; n > 0 && i <= n; ++i) {
            const int x = 125 + floorOf(950.0 / n * i);
            if (i == 0)
                s.line(125, top, 125, top + 235);
            else
                s.line(x, top + 236, x, top + 242);
            if (first == -1)
                continue;
            QString label;
            if (i < n) {
                label = entryDay(in.periodEntries, first + i);
            } else {
                const int next = toInt(entryDay(in.periodEntries, first + n - 1)) + 1;
                label = next == 32 ? QStringLiteral("1") : QString::number(next);
            }
            s.text(115 + floorOf(950.0 / n * i), top + 245, 20, 20, label, Qt::AlignHCenter);
        }
    } else {
        for (int i = 0; i <= 12; ++i) {
            const int x = 125 + floorOf(950.0 / 12 * i);
            if (i == 0)
                s.line(125, top, 125, top + 235);
            else
                s.line(x, top + 236, x, top + 242);
            s.text(115 + floorOf(950.0 / 12 * i), top + 245, 20, 20, QString::number(2 * i), Qt::AlignHCenter);
        }
    }
    s.stroke(Red);
    const int y30 = floorOf(top + 265.0 / 90 * 70);
    s.line(125, y30, 1075, y30);
    const int yr = floorOf(top + 265.0 / 90 * (100 - reference));
    s.line(125, yr, 1075, yr);
    s.stroke(Black);
}

constexpr int TopS = 470;
constexpr int TopV = 770;

void drawMonthLines(Scene& s, const ReportInputs& in, DayJoins& joins) {
    const int first = std::max(0, in.periodStart);
    const int last = std::max(0, in.periodStop);
    const int days = last - first + 1;
    if (days < 1)
        return;
    if (days > data::MaxPeriodDays)
        throw DataError(QStringLiteral("期間が31日を超えています。"));
    if (!in.laMaxG || !in.lvMaxG)
        throw DataError(QStringLiteral("時間最大値がありません。"));
    const int J = 24 * days;
    auto x = [&](int n) { return 125 + floorOf(950.0 / J * n); };
    auto value = [&](const data::HourlyMaxima* table, int stat, int n) -> const QString& {
        return (*table)[static_cast<size_t>(stat)][static_cast<size_t>(n)];
    };
    struct Channel {
        const QList<int>& series;
        const data::HourlyMaxima* table;
        int top;
        std::array<int, 9>& remembered;
    };
    const Channel channels[] = {{in.sSeries, in.laMaxG, TopS, joins.s}, {in.vSeries, in.lvMaxG, TopV, joins.v}};
    for (int d = 0; d < days; ++d) {
        if (d >= 1) {
            for (const Channel& c : channels)
                for (int k = 0; k < c.series.size() && k < 9; ++k) {
                    const int g0 = c.remembered[static_cast<size_t>(k)];
                    const int g1 = step(value(c.table, c.series[k], 24 * d));
                    if (g0 >= 1 && g1 >= 1) {
                        s.stroke(QColor::fromRgba(levelStatColour(c.series[k])));
                        s.line(QPointF(x(24 * d - 1), stepY(c.top, g0)), QPointF(x(24 * d), stepY(c.top, g1)));
                    }
                }
        }
        for (int t = 0; t <= 22; ++t) {
            for (const Channel& c : channels)
                for (int k = 0; k < c.series.size(); ++k) {
                    const int n = 24 * d + t;
                    const int g0 = step(value(c.table, c.series[k], n));
                    const int g1 = step(value(c.table, c.series[k], n + 1));
                    if (t == 22 && k < 9)
                        c.remembered[static_cast<size_t>(k)] = g1;
                    if (g0 >= 1 && g1 >= 1) {
                        s.stroke(QColor::fromRgba(levelStatColour(c.series[k])));
                        s.line(QPointF(x(n), stepY(c.top, g0)), QPointF(x(n + 1), stepY(c.top, g1)));
                    }
                }
        }
    }
    s.stroke(Black);
}

void drawDayLines(Scene& s, const ReportInputs& in) {
    for (int a = 0; a < data::SlotsPerDay - 1; ++a) {
        for (int c = 0; c < 2; ++c) {
            const QList<int>& series = c == 0 ? in.sSeries : in.vSeries;
            const data::LevelLists* lists = c == 0 ? in.la : in.lv;
            const int top = c == 0 ? TopS : TopV;
            for (int stat : series) {
                const QStringList& list = levelList(lists, stat);
                const int g0 = step(entryAt(list, a, "レベル"));
                const int g1 = step(entryAt(list, a + 1, "レベル"));
                if (g0 >= 1 && g1 >= 1) {
                    s.stroke(QColor::fromRgba(levelStatColour(stat)));
                    s.line(QPointF(125 + 950.0 / 144 * a, stepY(top, g0)),
                           QPointF(125 + 950.0 / 144 * (a + 1), stepY(top, g1)));
                }
            }
        }
    }
    s.stroke(Black);
}

void drawDayBars(Scene& s, const ReportInputs& in) {
    const QStringList& sList = levelList(in.la, in.sModeIndex);
    const QStringList& vList = levelList(in.lv, in.vModeIndex);
    s.stroke(Black);
    for (int a = 0; a < data::SlotsPerDay; ++a) {
        const int x0 = floorOf(125 + 950.0 / 144 * a);
        const int x1 = floorOf(125 + 950.0 / 144 * (a + 0.7));
        const int gs = step(entryAt(sList, a, "レベル"));
        const int gv = step(entryAt(vList, a, "レベル"));
        if (gs >= 1)
            s.outline(x0, stepY(TopS, gs), x1, TopS + 235);
        if (gv >= 1)
            s.outline(x0, stepY(TopV, gv), x1, TopV + 235);
    }
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
        s.text(100, top + 24 * k, 39, 23, QStringLiteral("%1~%2").arg(10 * (k - 1)).arg(10 * k), Qt::AlignHCenter);
    for (int j = 1; j <= 24; ++j)
        s.text(100 + 39 * j, top, 39, 23, QString::number(j - 1), Qt::AlignHCenter);
    for (int n = 0; n < count; ++n)
        s.text(100 + 39 * (n / 6 + 1), top + 24 * (n % 6 + 1), 39, 23, wholeLevel(entryAt(values, n, "レベル")),
               Qt::AlignHCenter);
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
        s.text(157 + 57 * (n % 16), top + (n < 16 ? 36 : 108), 56, 36, wholeLevel(values[static_cast<size_t>(n)]),
               Qt::AlignHCenter);
}

const std::array<QString, data::MaxPeriodDays>& dailyRow(const data::DailyMaxima* table, int stat) {
    if (!table || stat < 0 || stat >= LevelStatCount)
        throw DataError(QStringLiteral("レベルが選択されていません。"));
    return (*table)[static_cast<size_t>(stat)];
}

int periodDays(const ReportInputs& in) {
    return std::max(0, in.periodStop) - std::max(0, in.periodStart) + 1;
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

void drawHeader(QImage& page, const ReportInputs& in) {
    page.fill(0xFFFFFFFF);
    Scene s(page);
    s.fill(Black);
    s.fontSize(30);
    s.text(page.width() / 2 - 300, 20, 600, 45, QStringLiteral("―騒音 ・ 振動自動測定結果報告書―"), Qt::AlignHCenter);
    s.fontSize(18);
    auto row = [](int r) { return 90 + 27 * (r - 1); };
    auto label = [&](int r, const char* text, int x = 100, int w = 220) {
        s.text(x, row(r), w, 25, QString::fromUtf8(text));
    };
    label(1, "１．現場名　　　　　：");
    s.text(320, row(1), 500, 25, in.target);
    label(2, "２．測定場所　　　　：");
    s.text(320, row(2), 500, 25, in.spot);
    label(3, "３．測定位置　　　　：");
    s.text(320, row(3), 245, 25, in.positionS);
    label(4, "４．規制基準 ・ 騒音Ｓ：");
    s.text(320, row(4), 245, 25, in.regulationS);
    s.text(520, row(4), 170, 25, QStringLiteral("基準値(") + in.referenceS + QStringLiteral(")dB(A)"));
    label(5, "　　　　　　 ・ 振動Ｖ：");
    s.text(320, row(5), 245, 25, in.regulationV);
    s.text(520, row(5), 170, 25, QStringLiteral("基準値(") + in.referenceV + QStringLiteral(")dB"));
    label(6, "５．特記事項　　　　：");
    const auto notices = noticeRows(in.notices);
    for (int i = 0; i < 3; ++i)
        s.text(320, row(6 + i), 500, 25, notices[static_cast<size_t>(i)]);

    label(1, "６．測定期間：", 700, 145);
    s.text(850, row(1), 300, 25, in.date);
    label(2, "７．測定機関：", 700, 145);
    s.text(850, row(2), 245, 25, in.institution);
    label(3, "８．測定者　：", 700, 145);
    s.text(850, row(3), 245, 25, in.name);
    label(4, "９．施工曜日：", 700, 145);
    label(6, "１０．LED起動時間：", 700, 200);
    s.text(905, row(6), 245, 25, in.ledStart);
    label(7, "１１．LED停止時間：", 700, 200);
    s.text(905, row(7), 245, 25, in.ledStop);
    static const char* const letters[7] = {"月", "火", "水", "木", "金", "土", "日"};
    for (int i = 0; i < 7; ++i) {
        s.text(850 + 25 * i, row(4), 25, 25, QString::fromUtf8(letters[i]));
        const int x = 852 + 25 * i;
        if (in.week[static_cast<size_t>(i)])
            s.fillRect(x, row(5), x + 15, row(5) + 15, Black);
        else
            s.outline(x, row(5), x + 15, row(5) + 15);
    }
}

void drawGraphSection(QImage& page, const ReportInputs& in, DayJoins& joins) {
    Scene s(page);
    s.fill(Black);
    s.fontSize(25);
    s.text(100, 370, 600, 25, QStringLiteral("＜＜測定結果グラフ＞＞"));
    const bool legend = in.monthMode || in.lines;
    if (legend) {
        s.fontSize(10);
        static const char* const labels[9] = {"＜Leq＞", "＜Le＞",  "＜L05＞",  "＜L10＞", "＜L50＞",
                                              "＜L90＞", "＜L95＞", "＜Lmin＞", "＜Lmax＞"};
        for (int i = 0; i < LevelStatCount; ++i) {
            const int x = 700 + 70 * (i % 5);
            const int y = i < 5 ? 390 : 430;
            const QColor colour = QColor::fromRgba(levelStatColour(i));
            s.fillRect(x, y, x + 40, y + 10, colour);
            s.fill(colour);
            s.text(x, y + 10, 50, 25, QString::fromUtf8(labels[i]));
        }
        s.fill(Black);
        s.fontSize(18);
        s.text(140, 440, 600, 25, QStringLiteral("騒音レベル　"));
        s.text(140, 740, 600, 25, QStringLiteral("振動レベル　"));
    } else {
        s.fontSize(18);
        s.text(140, 440, 600, 25, QStringLiteral("騒音レベル　") + selected(in.sModeText) + QStringLiteral("　dB(A)"));
        s.text(140, 740, 600, 25, QStringLiteral("振動レベル　") + selected(in.vModeText) + QStringLiteral("　dB"));
    }
    drawPlotFrame(s, in, TopS, toInt(in.referenceS));
    drawPlotFrame(s, in, TopV, toInt(in.referenceV));
    if (in.monthMode)
        drawMonthLines(s, in, joins);
    else if (in.lines)
        drawDayLines(s, in);
    else
        drawDayBars(s, in);
}

void drawGridSection(QImage& page, const ReportInputs& in) {
    Scene s(page);
    s.fill(Black);
    s.fontSize(25);
    s.text(100, 1070, 600, 25, QStringLiteral("＜＜測定結果表＞＞"));
    s.fontSize(18);
    s.text(140, 1140, 600, 25, QStringLiteral("騒音　Ｓ") + selected(in.sModeText));
    s.text(140, 1340, 600, 25, QStringLiteral("振動　Ⅴ") + selected(in.vModeText));
    if (in.monthMode) {
        const int days = periodDays(in);
        drawFullMonthTable(s, 1170, dailyRow(in.laMax, in.sModeIndex), days);
        drawFullMonthTable(s, 1370, dailyRow(in.lvMax, in.vModeIndex), days);
    } else {
        drawDayTable(s, 1170, levelList(in.la, in.sModeIndex), static_cast<int>(levelList(in.la, 0).size()));
        drawDayTable(s, 1370, levelList(in.lv, in.vModeIndex), static_cast<int>(levelList(in.lv, 0).size()));
    }
}

void drawOnlyGridSection(QImage& page, const ReportInputs& in) {
    Scene s(page);
    s.fill(Black);
    s.fontSize(25);
    s.text(100, 370, 600, 25, QStringLiteral("＜＜測定結果表＞＞"));
    s.fontSize(18);
    if (in.monthMode) {
        s.text(460, 420, 600, 25, QStringLiteral("騒音　Ｓ"));
        s.text(910, 420, 600, 25, QStringLiteral("振動　Ⅴ"));
        const int first = std::max(0, in.periodStart);
        const int days = periodDays(in);
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
        for (int k = 0; k < in.sColumns.size(); ++k)
            s.text(column(0, k), 450, 50, 36, levelStatName(in.sColumns[k]), Qt::AlignHCenter);
        for (int k = 0; k < in.vColumns.size(); ++k)
            s.text(column(1, k), 450, 50, 36, levelStatName(in.vColumns[k]), Qt::AlignHCenter);
        for (int d = 0; d < days; ++d) {
            const int y = 486 + 36 * d;
            if (in.periodStart != -1)
                s.text(100, y, 150, 36, entryAt(in.periodEntries, first + d, "日付一覧"), Qt::AlignHCenter);
            for (int k = 0; k < in.sColumns.size(); ++k)
                s.text(column(0, k), y, 50, 36,
                       wholeLevel(dailyRow(in.laMax, in.sColumns[k]).at(static_cast<size_t>(d))), Qt::AlignHCenter);
            for (int k = 0; k < in.vColumns.size(); ++k)
                s.text(column(1, k), y, 50, 36,
                       wholeLevel(dailyRow(in.lvMax, in.vColumns[k]).at(static_cast<size_t>(d))), Qt::AlignHCenter);
        }
        return;
    }
    if (in.dayMode) {
        s.text(120, 420, 600, 25, QStringLiteral("騒音　Ｓ　") + selected(in.sModeText));
        s.text(120, 740, 600, 25, QStringLiteral("振動　Ⅴ　") + selected(in.vModeText));
    }
    drawDayTable(s, 450, levelList(in.la, in.sModeIndex), static_cast<int>(levelList(in.la, 0).size()));
    drawDayTable(s, 770, levelList(in.lv, in.vModeIndex), static_cast<int>(levelList(in.lv, 0).size()));
}

void composePage(QImage& page, const ReportInputs& in, int printMode, DayJoins& joins) {
    drawHeader(page, in);
    if (printMode == FullReport || printMode == GraphReport)
        drawGraphSection(page, in, joins);
    if (printMode == FullReport)
        drawGridSection(page, in);
    if (printMode == TableReport)
        drawOnlyGridSection(page, in);
}

} // namespace moravel::report
