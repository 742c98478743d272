#include "graph/TimeHistoryPage.h"

#include "common/Errors.h"
#include "export/Csv.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWheelEvent>
#include <cmath>
#include <thread>

namespace moravel::graph {

using platform::Answer;
using platform::dialogs;

namespace {

constexpr int PanelWidth = 250; // the statistics beside the graphs
constexpr int GraphTop = 62;    // below the day and the readout
constexpr int Click = 3;        // a press and release this close together is a click, not a drag

QString levelAt(const data::RawChannel& c, int second) {
    if (c.empty())
        return QStringLiteral("－");
    const std::int16_t v = c.seconds[static_cast<size_t>(second)];
    return v == data::RawGap ? QStringLiteral("－") : data::deciText(v);
}

QString compactClock(int second) {
    return clockText(second).remove(u':');
}

} // namespace

// A day being read: the worker fills `day` and hands the job back to the user-interface thread,
// which shows it unless a later day or the page's end has cancelled it.
struct TimeHistoryPage::Job {
    TimeHistoryPage* page = nullptr;
    bool cancelled = false; // read and written on the user-interface thread only
};

TimeHistoryPage::TimeHistoryPage(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_days = platform::make<QComboBox>(this, "CbRawDay", QRect(8, 6, 170, 26));
    m_days->setEnabled(false);
    m_dayNote = platform::makeLabel(this, "LbRawDay", QString(), QRect(186, 6, 500, 26), 13);
    m_readout = platform::makeLabel(this, "Readout", QString(), QRect(8, 34, 700, 24), 14);
    m_statistics = new QPlainTextEdit(this);
    m_statistics->setObjectName(QStringLiteral("IntervalStatistics"));
    m_statistics->setReadOnly(true);
    m_statistics->setTabChangesFocus(true);
    m_copy = platform::makeButton(this, "BtRawCopy", QStringLiteral("コピー"), QRect(0, 0, 100, 28), 14);
    m_save = platform::makeButton(this, "BtRawCsvSave", QStringLiteral("CSV保存"), QRect(0, 0, 100, 28), 14);
    connect(m_copy, &QPushButton::clicked, this, [this] { BtRawCopyClick(); });
    connect(m_save, &QPushButton::clicked, this, [this] { platform::guarded([&] { BtRawCsvSaveClick(); }); });
    connect(m_days, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index != m_index)
            showDay(index);
    });
    setTabOrder(m_days, this);
    setTabOrder(this, m_statistics);
    setTabOrder(m_statistics, m_copy);
    setTabOrder(m_copy, m_save);
    updateTexts();
}

TimeHistoryPage::~TimeHistoryPage() {
    if (m_job)
        m_job->cancelled = true;
}

void TimeHistoryPage::setSource(const TimeHistorySource& source) {
    m_source = source;
    m_index = -1;
    {
        const QSignalBlocker block(m_days);
        platform::fillCombo(m_days, source.dayTexts);
    }
    m_days->setEnabled(source.period && source.stems.size() > 1);
    if (source.stems.isEmpty()) {
        clear(QStringLiteral("日を選ぶと、その日の生データ（毎秒の値）を表示します。"));
        return;
    }
    showDay(0);
}

void TimeHistoryPage::showDay(int index) {
    if (index < 0 || index >= m_source.stems.size())
        return;
    m_index = index;
    {
        const QSignalBlocker block(m_days);
        m_days->setCurrentIndex(index);
    }
    if (m_job)
        m_job->cancelled = true;
    m_job.reset();
    m_day = data::RawDay();
    m_why = QStringLiteral("生データを読み込んでいます…");
    m_selection.reset();
    m_anchor.reset();
    m_cursor.reset();
    m_view = TimeView{};
    m_pending.reset();
    m_wanted = true;
    m_loading = false;
    updateTexts();
    if (isVisible())
        startLoading();
    update();
}

void TimeHistoryPage::showAt(const QString& stem, const TimeView& view, const TimeView& selection) {
    const int index = static_cast<int>(m_source.stems.indexOf(stem));
    if (index < 0)
        return;
    if (index != m_index || m_loading || m_wanted || m_day.stem != stem) {
        if (index != m_index)
            showDay(index);
        m_pending = std::pair{view, selection};
        return;
    }
    m_view = view;
    setSelection(selection);
}

void TimeHistoryPage::clear(const QString& why) {
    if (m_job)
        m_job->cancelled = true;
    m_job.reset();
    m_source = TimeHistorySource();
    m_index = -1;
    {
        const QSignalBlocker block(m_days);
        platform::fillCombo(m_days, {});
    }
    m_days->setEnabled(false);
    m_wanted = false;
    m_loading = false;
    m_day = data::RawDay();
    m_why = why;
    m_selection.reset();
    m_anchor.reset();
    m_cursor.reset();
    m_view = TimeView{};
    updateTexts();
    update();
    emit dayShown();
}

void TimeHistoryPage::startLoading() {
    m_wanted = false;
    m_loading = true;
    auto job = std::make_shared<Job>();
    job->page = this;
    m_job = job;
    const QString card = m_source.card;
    const QString stem = m_source.stems[m_index];
    // The card may be slow (a network mount): the day is read beside the user-interface thread,
    // which goes on drawing and answering meanwhile.
    std::thread([job, card, stem] {
        data::RawDay day;
        try {
            day = data::loadRawDay(card, stem);
            data::loadDayFileEntries(card, day);
        } catch (const std::exception& e) {
            day = data::RawDay();
            day.stem = stem;
            day.s.reason = day.v.reason =
                QStringLiteral("生データを読み込めません：%1").arg(QString::fromStdString(e.what()));
        }
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return;
        QMetaObject::invokeMethod(
            app,
            [job, day = std::move(day)] {
                if (!job->cancelled)
                    job->page->loaded(day);
            },
            Qt::QueuedConnection);
    }).detach();
}

void TimeHistoryPage::loaded(const data::RawDay& day) {
    m_job.reset();
    m_loading = false;
    m_day = day;
    if (m_pending) {
        m_view = m_pending->first;
        m_selection = m_pending->second;
        m_pending.reset();
    }
    m_why.clear();
    if (day.s.empty() && day.v.empty())
        m_why = day.s.missing && day.v.missing
                    ? QStringLiteral("この日の生データ（%1.LA、%1.LV）がありません。").arg(day.stem)
                    : QStringLiteral("この日の生データを読み込めません：%1")
                          .arg(day.s.missing ? day.v.reason : day.s.reason);
    updateTexts();
    update();
    emit dayShown();
}

QString TimeHistoryPage::message() const {
    return m_day.s.empty() && m_day.v.empty() ? m_why : QString();
}

void TimeHistoryPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_wanted && m_index >= 0)
        startLoading();
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

QRect TimeHistoryPage::graphArea() const {
    return {4, GraphTop, std::max(200, width() - PanelWidth - 16), std::max(160, height() - GraphTop - 4)};
}

QRect TimeHistoryPage::noisePlot() const {
    return TimeHistoryLayout::of(graphArea()).noise;
}

QRect TimeHistoryPage::vibrationPlot() const {
    return TimeHistoryLayout::of(graphArea()).vibration;
}

QRect TimeHistoryPage::timeAxis() const {
    return TimeHistoryLayout::of(graphArea()).axis;
}

int TimeHistoryPage::secondAt(double x) const {
    return secondAtX(m_view, noisePlot().width(), x - noisePlot().left());
}

QString TimeHistoryPage::readout() const {
    if (!m_cursor)
        return QString();
    return QStringLiteral("%1　騒音 %2 dB(A)　振動 %3 dB")
        .arg(clockText(*m_cursor), levelAt(m_day.s, *m_cursor), levelAt(m_day.v, *m_cursor));
}

QString TimeHistoryPage::statisticsText() const {
    if (!m_selection)
        return QStringLiteral("Shift＋ドラッグ、または2回のクリックで区間を選ぶと、その統計を表示します。");
    const TimeView& s = *m_selection;
    QString text =
        QStringLiteral("%1 – %2（%3秒）\n").arg(clockText(s.first), clockText(s.last)).arg(s.length());
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
                    .arg(data::deciText(st.leq), data::deciText(st.lmax), clockText(st.lmaxAt),
                         data::deciText(st.l05), data::deciText(st.l10), data::deciText(st.l50),
                         data::deciText(st.l90), data::deciText(st.l95));
        text += QStringLiteral("Lmin %1\n").arg(data::deciText(st.lmin));
    }
    return text;
}

void TimeHistoryPage::updateTexts() {
    m_readout->setText(readout());
    m_statistics->setPlainText(statisticsText());
    m_copy->setEnabled(m_selection.has_value());
    m_save->setEnabled(m_selection.has_value() && !m_loading && !(m_day.s.empty() && m_day.v.empty()));
    QString note;
    if (m_index >= 0 && m_source.period) {
        note = m_index > 0 ? QStringLiteral("期間の%1日目を表示しています。").arg(m_index + 1)
               : m_source.stems.size() > 1
                   ? QStringLiteral("期間の最初の日を表示しています。ほかの日は左で選べます。")
                   : QStringLiteral("期間の最初の日を表示しています。");
    }
    m_dayNote->setText(note);
}

void TimeHistoryPage::resizeEvent(QResizeEvent*) {
    const QRect g = graphArea();
    m_readout->setGeometry(8, 34, g.width(), 24);
    m_dayNote->setGeometry(186, 6, g.width() - 182, 26);
    const int x = g.right() + 8;
    m_statistics->setGeometry(x, 6, PanelWidth, height() - 6 - 44);
    m_copy->setGeometry(x, height() - 34, 100, 28);
    m_save->setGeometry(x + 110, height() - 34, 120, 28);
}

void TimeHistoryPage::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TimeHistoryPage::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void TimeHistoryPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = graphArea();
    if (m_day.s.empty() && m_day.v.empty()) {
        drawTimeHistoryMessage(p, area, m_why);
        return;
    }
    drawTimeHistoryPair(p, area, m_day, m_view, m_source.noiseReference, m_source.vibrationReference);
    for (const QRect& plot : {noisePlot(), vibrationPlot()}) {
        p.save();
        p.setClipRect(plot);
        if (m_selection) {
            const double x0 = plot.left() + xOfSecond(m_view, plot.width(), m_selection->first);
            const double x1 = plot.left() + xOfSecond(m_view, plot.width(), m_selection->last);
            p.fillRect(QRectF(QPointF(x0, plot.top()), QPointF(x1, plot.bottom())), QColor(255, 170, 0, 60));
        }
        if (m_cursor) {
            const int x = plot.left() + static_cast<int>(xOfSecond(m_view, plot.width(), *m_cursor + 0.5));
            p.setPen(QPen(QColor(120, 0, 120), 1));
            p.drawLine(x, plot.top(), x, plot.bottom());
        }
        p.restore();
    }
    if (m_drag == Drag::Zoom) {
        const QRect axis = timeAxis();
        p.fillRect(QRectF(QPointF(std::min(m_dragX, m_dragToX), axis.top()),
                          QPointF(std::max(m_dragX, m_dragToX), axis.bottom())),
                   QColor(0, 90, 200, 80));
    }
    if (hasFocus()) {
        // The keyboard reaches the graph: ←/→, +/−, Home, Esc.
        QPen focus(QColor(255, 179, 0), 2);
        p.setPen(focus);
        p.setBrush(Qt::NoBrush);
        p.drawRect(area.adjusted(1, 1, -1, -1));
    }
}

void TimeHistoryPage::wheelEvent(QWheelEvent* event) {
    const QRect plot = noisePlot();
    const double anchor = m_view.first + (event->position().x() - plot.left()) * m_view.length() /
                                             static_cast<double>(plot.width());
    setView(zoomed(m_view, event->angleDelta().y() > 0 ? 0.8 : 1.25, anchor));
    event->accept();
}

void TimeHistoryPage::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF at = event->position();
    m_dragX = m_dragToX = at.x();
    m_dragView = m_view;
    const QRect axis = timeAxis();
    if (at.y() >= axis.top() && at.y() <= axis.bottom() && at.x() >= axis.left() && at.x() <= axis.right())
        m_drag = Drag::Zoom;
    else if (event->modifiers() & Qt::ShiftModifier)
        m_drag = Drag::Mark;
    else
        m_drag = Drag::Pan;
    if (m_drag == Drag::Mark) {
        const int s = secondAt(at.x());
        m_anchor.reset();
        setSelection({s, s + 1});
    }
}

void TimeHistoryPage::mouseMoveEvent(QMouseEvent* event) {
    const double x = event->position().x();
    const QRect plot = noisePlot();
    if (x >= plot.left() && x <= plot.right() && !(m_day.s.empty() && m_day.v.empty()))
        m_cursor = secondAt(x);
    else
        m_cursor.reset();
    m_dragToX = x;
    if (m_drag == Drag::Mark) {
        const int a = secondAt(m_dragX);
        const int b = secondAt(x);
        m_selection = TimeView{std::min(a, b), std::max(a, b) + 1};
    } else if (m_drag == Drag::Pan) {
        const int seconds = static_cast<int>(std::lround((m_dragX - x) * m_dragView.length() / plot.width()));
        m_view = panned(m_dragView, seconds);
    }
    updateTexts();
    update();
}

void TimeHistoryPage::mouseReleaseEvent(QMouseEvent* event) {
    const Drag drag = m_drag;
    m_drag = Drag::None;
    const double x = event->position().x();
    const bool click = std::abs(x - m_dragX) < Click;
    if (drag == Drag::Zoom && !click) {
        setView(spanned(secondAt(m_dragX), secondAt(x) + 1));
    } else if (drag == Drag::Pan && click && !(m_day.s.empty() && m_day.v.empty())) {
        // Two clicks mark the seconds from the first to the second.
        const int s = secondAt(x);
        if (!m_anchor) {
            m_anchor = s;
            setSelection({s, s + 1});
        } else {
            setSelection({std::min(*m_anchor, s), std::max(*m_anchor, s) + 1});
            m_anchor.reset();
        }
    }
    update();
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
    case Qt::Key_Escape:
        m_selection.reset();
        m_anchor.reset();
        updateTexts();
        update();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TimeHistoryPage::BtRawCopyClick() {
    QGuiApplication::clipboard()->setText(statisticsText());
}

void TimeHistoryPage::BtRawCsvSaveClick() {
    if (!m_selection || m_index < 0)
        return;
    const std::optional<QString> folder =
        dialogs().chooseDirectory(this, QStringLiteral("ディレクトリ指定"), QString());
    if (!folder)
        return;
    const TimeView s = *m_selection;
    const QString stem = m_source.stems[m_index];
    const QDate date = QDate::fromString(stem, QStringLiteral("yyyyMMdd"));
    QStringList written;
    for (const char* extension : {".LA", ".LV"}) {
        const QString source = m_source.card + u'/' + stem + QLatin1String(extension);
        if (!QFileInfo(source).isFile())
            continue;
        const QString name =
            QStringLiteral("%1_%2-%3_%4.csv")
                .arg(stem, compactClock(s.first), compactClock(s.last), QLatin1String(extension + 1));
        const QString target = QDir(*folder).filePath(name);
        if (platform::fileExists(target)) {
            const Answer answer =
                dialogs().askYesNoCancel(this, platform::overwriteQuestion(QDir::toNativeSeparators(target)));
            if (answer == Answer::Cancel)
                return;
            if (answer == Answer::No)
                continue;
        }
        try {
            platform::writeFileAtomically(
                target, csv::rawIntervalCsv(platform::readBytes(source), date, s.first, s.last));
        } catch (const DataError& e) {
            dialogs().information(this, e.text());
            return;
        }
        written.append(name);
    }
    if (!written.isEmpty())
        dialogs().information(this, QStringLiteral("CSVファイルを保存しました。") + QStringLiteral("\r\n") +
                                        written.join(QStringLiteral("\r\n")));
}

} // namespace moravel::graph
