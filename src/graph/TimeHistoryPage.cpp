#include "graph/TimeHistoryPage.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QWheelEvent>
#include <cmath>

namespace moravel::graph {

namespace {

constexpr int PanelWidth = 250; // the statistics beside the graphs
constexpr int LeftMargin = 40;  // the level labels

QString clock(int second) {
    return QString::asprintf("%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
}

// The step between time labels for a view: hours, minutes or seconds, about eight labels across.
int labelStep(int length) {
    for (int step : {1, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800})
        if (length / step <= 10)
            return step;
    return 10800;
}

QString levelAt(const data::RawChannel& c, int second) {
    if (c.empty())
        return QStringLiteral("－");
    const std::int16_t v = c.seconds[static_cast<size_t>(second)];
    return v == data::RawGap ? QStringLiteral("－") : data::deciText(v);
}

} // namespace

TimeHistoryPage::TimeHistoryPage(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_readout = new QLabel(this);
    m_readout->setObjectName(QStringLiteral("Readout"));
    m_statistics = new QPlainTextEdit(this);
    m_statistics->setObjectName(QStringLiteral("IntervalStatistics"));
    m_statistics->setReadOnly(true);
    updateTexts();
}

void TimeHistoryPage::setDay(const data::RawDay& day, int noiseReference, int vibrationReference) {
    m_day = day;
    m_references[0] = noiseReference;
    m_references[1] = vibrationReference;
    m_why = day.s.empty() && day.v.empty() ? day.s.reason + u' ' + day.v.reason : QString();
    m_view = TimeView{};
    m_selection.reset();
    m_cursor.reset();
    updateTexts();
    update();
}

void TimeHistoryPage::clear(const QString& why) {
    m_day = data::RawDay();
    m_why = why;
    m_selection.reset();
    m_cursor.reset();
    updateTexts();
    update();
}

void TimeHistoryPage::setView(const TimeView& view) {
    m_view = view;
    update();
}

void TimeHistoryPage::setSelection(const TimeView& selection) {
    m_selection = selection;
    updateTexts();
    update();
}

QRect TimeHistoryPage::noisePlot() const {
    const int width = std::max(100, this->width() - PanelWidth - LeftMargin - 20);
    const int height = std::max(60, (this->height() - 80) / 2);
    return {LeftMargin, 30, width, height};
}

QRect TimeHistoryPage::vibrationPlot() const {
    const QRect n = noisePlot();
    return {n.left(), n.bottom() + 20, n.width(), n.height()};
}

int TimeHistoryPage::secondAt(double x) const {
    return secondAtX(m_view, noisePlot().width(), x - noisePlot().left());
}

QString TimeHistoryPage::readout() const {
    if (!m_cursor)
        return QString();
    return QStringLiteral("%1　騒音 %2 dB(A)　振動 %3 dB")
        .arg(clock(*m_cursor), levelAt(m_day.s, *m_cursor), levelAt(m_day.v, *m_cursor));
}

QString TimeHistoryPage::statisticsText() const {
    if (!m_selection)
        return QStringLiteral("Shift＋ドラッグで区間を選ぶと、その統計を表示します。");
    const TimeView& s = *m_selection;
    QString text = QStringLiteral("%1 – %2（%3秒）\n")
                       .arg(clock(s.first), clock(s.last % data::SecondsPerDay))
                       .arg(s.length());
    const std::pair<const data::RawChannel*, const char*> channels[] = {{&m_day.s, "騒音 dB(A)"},
                                                                        {&m_day.v, "振動 dB"}};
    for (const auto& [channel, title] : channels) {
        const data::IntervalStats st = data::intervalStats(*channel, s.first, s.last);
        text += u'\n' + QString::fromUtf8(title) + u'\n';
        if (st.valid == 0) {
            text += QStringLiteral("有効な値なし\n");
            continue;
        }
        text += QStringLiteral(
                    "有効秒数 %1\nLeq  %2\nLmax %3（%4）\nL05  %5\nL10  %6\nL50  %7\nL90  %8\nL95  %9\n")
                    .arg(st.valid)
                    .arg(data::deciText(st.leq), data::deciText(st.lmax), clock(st.lmaxAt),
                         data::deciText(st.l05), data::deciText(st.l10), data::deciText(st.l50),
                         data::deciText(st.l90), data::deciText(st.l95));
        text += QStringLiteral("Lmin %1\n").arg(data::deciText(st.lmin));
    }
    return text;
}

void TimeHistoryPage::updateTexts() {
    m_readout->setText(readout());
    m_statistics->setPlainText(statisticsText());
}

void TimeHistoryPage::resizeEvent(QResizeEvent*) {
    const QRect v = vibrationPlot();
    m_readout->setGeometry(LeftMargin, 4, noisePlot().width(), 22);
    m_statistics->setGeometry(v.right() + 20, 30, PanelWidth, v.bottom() - 30);
}

void TimeHistoryPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_day.s.empty() && m_day.v.empty()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(noisePlot(), Qt::AlignCenter | Qt::TextWordWrap, m_why);
        return;
    }
    const QRect plots[2] = {noisePlot(), vibrationPlot()};
    const data::RawChannel* channels[2] = {&m_day.s, &m_day.v};
    for (int i = 0; i < 2; ++i) {
        p.setPen(palette().color(QPalette::WindowText));
        drawTimeHistory(p, plots[i], *channels[i], m_view, m_references[i],
                        i == 0 ? QColor(0, 70, 170) : QColor(0, 120, 60));
        if (channels[i]->empty()) {
            p.setPen(Qt::black);
            p.drawText(plots[i], Qt::AlignCenter, channels[i]->reason);
        }
        if (m_selection) {
            const double x0 = plots[i].left() + xOfSecond(m_view, plots[i].width(), m_selection->first);
            const double x1 = plots[i].left() + xOfSecond(m_view, plots[i].width(), m_selection->last);
            p.fillRect(QRectF(QPointF(x0, plots[i].top()), QPointF(x1, plots[i].bottom())),
                       QColor(255, 170, 0, 60));
        }
        if (m_cursor) {
            const int x =
                plots[i].left() + static_cast<int>(xOfSecond(m_view, plots[i].width(), *m_cursor + 0.5));
            p.setPen(QPen(QColor(120, 0, 120), 1));
            p.drawLine(x, plots[i].top(), x, plots[i].bottom());
        }
    }
    // The time labels under the vibration plot.
    const QRect v = plots[1];
    const int step = labelStep(m_view.length());
    p.setPen(palette().color(QPalette::WindowText));
    for (int t = (m_view.first + step - 1) / step * step; t <= m_view.last; t += step) {
        const int x = v.left() + static_cast<int>(std::lround(xOfSecond(m_view, v.width(), t)));
        p.drawLine(x, v.bottom() + 1, x, v.bottom() + 4);
        const QString label = step >= 3600 ? QString::number(t / 3600)
                              : step >= 60 ? clock(t).left(5)
                                           : clock(t);
        p.drawText(QRect(x - 40, v.bottom() + 5, 80, 16), Qt::AlignHCenter | Qt::AlignTop, label);
    }
}

void TimeHistoryPage::wheelEvent(QWheelEvent* event) {
    const double anchor = m_view.first + (event->position().x() - noisePlot().left()) * m_view.length() /
                                             static_cast<double>(noisePlot().width());
    setView(zoomed(m_view, event->angleDelta().y() > 0 ? 0.8 : 1.25, anchor));
    event->accept();
}

void TimeHistoryPage::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    m_dragX = event->position().x();
    m_dragView = m_view;
    m_marking = event->modifiers() & Qt::ShiftModifier;
    if (m_marking) {
        const int s = secondAt(event->position().x());
        setSelection({s, s + 1});
    }
}

void TimeHistoryPage::mouseMoveEvent(QMouseEvent* event) {
    const double x = event->position().x();
    if (x >= noisePlot().left() && x < noisePlot().right())
        m_cursor = secondAt(x);
    else
        m_cursor.reset();
    if (m_dragX && m_marking) {
        const int a = secondAt(*m_dragX);
        const int b = secondAt(x);
        m_selection = TimeView{std::min(a, b), std::max(a, b) + 1};
    } else if (m_dragX) {
        const int seconds =
            static_cast<int>(std::lround((*m_dragX - x) * m_dragView.length() / noisePlot().width()));
        m_view = panned(m_dragView, seconds);
    }
    updateTexts();
    update();
}

void TimeHistoryPage::mouseReleaseEvent(QMouseEvent*) {
    m_dragX.reset();
}

void TimeHistoryPage::keyPressEvent(QKeyEvent* event) {
    const int tenth = std::max(1, m_view.length() / 10);
    const double middle = m_view.first + m_view.length() / 2.0;
    switch (event->key()) {
    case Qt::Key_Left:
        setView(panned(m_view, -tenth));
        break;
    case Qt::Key_Right:
        setView(panned(m_view, tenth));
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        setView(zoomed(m_view, 0.5, middle));
        break;
    case Qt::Key_Minus:
        setView(zoomed(m_view, 2.0, middle));
        break;
    case Qt::Key_Home:
        setView(TimeView{});
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace moravel::graph
