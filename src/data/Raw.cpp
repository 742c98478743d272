#include "data/Raw.h"

#include "common/DateText.h"
#include "common/Errors.h"
#include "common/Fields.h"
#include "common/LevelStat.h"
#include "data/Levels.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace moravel::data {

namespace {

// A sample field: digits with at most one decimal ("063.5", "63", "63.0"), or "---.-".
enum class Sample { Level, Gap, Unreadable };
template <class View> Sample readSample(View field, std::int16_t& deci) {
    const qsizetype n = field.size();
    if (n == 5 && unit(field[0]) == u'-' && unit(field[1]) == u'-' && unit(field[2]) == u'-' &&
        unit(field[3]) == u'.' && unit(field[4]) == u'-')
        return Sample::Gap;
    int whole = 0, digits = 0, tenth = -1;
    qsizetype i = 0;
    for (; i < n && unit(field[i]) >= u'0' && unit(field[i]) <= u'9'; ++i) {
        whole = whole * 10 + (unit(field[i]) - u'0');
        if (++digits > 4)
            return Sample::Unreadable;
    }
    if (digits == 0)
        return Sample::Unreadable;
    if (i < n && unit(field[i]) == u'.') {
        ++i;
        if (i < n && unit(field[i]) >= u'0' && unit(field[i]) <= u'9')
            tenth = unit(field[i++]) - u'0';
    }
    if (i != n)
        return Sample::Unreadable;
    const int value = whole * 10 + std::max(tenth, 0);
    if (value > 32767)
        return Sample::Unreadable;
    deci = static_cast<std::int16_t>(value);
    return Sample::Level;
}

class Placer {
public:
    Placer(RawChannel& channel, const QDate& day) : m_c(channel), m_day(day) {
        m_c.seconds.assign(SecondsPerDay, RawGap);
        m_given.assign(SecondsPerDay, false);
    }

    template <class View, class Splitter> void line(View text, Splitter& fields) {
        if (!holdsData(text))
            return;
        const int count = fields.split(text);
        if (count < 3)
            return;
        Stamp stamp;
        const bool read = fields[1].size() < 5 ? readStamp(fields[0], midnightOf(text), stamp)
                                               : readStamp(fields[0], fields[1], stamp);
        if (!read || QDate(stamp.year, stamp.month, stamp.day) != m_day) {
            ++m_c.otherDate;
            return;
        }
        const int start = stamp.hour * 3600 + stamp.minute * 60 + stamp.second;
        if (start < m_previous)
            ++m_c.outOfOrder;
        m_previous = start;
        for (int p = 2; p < count; ++p) {
            const int second = start + p - 2;
            std::int16_t deci = RawGap;
            const Sample kind = readSample(fields[p], deci);
            if (kind == Sample::Unreadable)
                ++m_c.unreadable;
            if (second >= SecondsPerDay) {
                ++m_c.pastMidnight;
                continue;
            }
            if (m_given[static_cast<size_t>(second)]) {
                ++m_c.overlapping;
                continue;
            }
            m_given[static_cast<size_t>(second)] = true;
            if (kind == Sample::Level)
                m_c.seconds[static_cast<size_t>(second)] = deci;
        }
    }

private:
    static QStringView midnightOf(QStringView) { return u"00:00"; }
    static QByteArrayView midnightOf(QByteArrayView) { return "00:00"; }

    RawChannel& m_c;
    QDate m_day;
    std::vector<bool> m_given;
    int m_previous = -1;
};

bool isAsciiLine(QByteArrayView line) {
    for (char c : line)
        if (static_cast<unsigned char>(c) > 0x7F)
            return false;
    return true;
}

} // namespace

int RawChannel::validSeconds() const {
    return static_cast<int>(
        std::count_if(seconds.begin(), seconds.end(), [](std::int16_t s) { return s != RawGap; }));
}

RawChannel readRawChannel(const QByteArray& bytes, const QDate& day) {
    RawChannel channel;
    Placer placer(channel, day);
    if (platform::hasByteOrderMark(bytes)) {
        FieldSplitter fields;
        for (const QString& line : platform::decodeLines(bytes))
            placer.line(QStringView(line), fields);
        return channel;
    }
    // Code page 932: lines of plain ASCII are read as bytes, any other as the text it decodes to.
    ByteFieldSplitter bytesFields;
    FieldSplitter textFields;
    for (const QByteArrayView line : platform::cp932Lines(bytes)) {
        if (isAsciiLine(line)) {
            placer.line(line, bytesFields);
        } else {
            const QString text = platform::decodeCp932Line(line);
            placer.line(QStringView(text), textFields);
        }
    }
    return channel;
}

RawDay loadRawDay(const QString& card, const QString& stem) {
    RawDay day;
    day.stem = stem;
    const QDate date = QDate::fromString(stem, QStringLiteral("yyyyMMdd"));
    auto load = [&](const QString& extension) {
        const QString path = card + u'/' + stem + extension;
        RawChannel channel;
        if (!QFileInfo(path).isFile()) {
            channel.reason = QStringLiteral("%1 がありません。").arg(stem + extension);
            channel.missing = true;
            return channel;
        }
        try {
            channel = readRawChannel(platform::readBytes(path), date);
        } catch (const DataError& e) {
            channel = RawChannel();
            channel.reason = e.text();
        }
        return channel;
    };
    day.s = load(QStringLiteral(".LA"));
    day.v = load(QStringLiteral(".LV"));
    return day;
}

std::vector<std::int16_t> tenMinuteEntries(const QStringList& lines, int stat) {
    std::vector<std::int16_t> entries(SlotsPerDay, RawGap);
    for (const QString& line : lines) {
        if (!holdsData(QStringView(line)))
            continue;
        const QStringList f = splitFields(line);
        if (f.size() < 2 + LevelStatCount)
            continue;
        // A row stands for the ten minutes that begin at its time.
        const QStringList hm = f[1].split(u':');
        bool hourRead = false, minuteRead = false;
        const int minute = hm.value(0).toInt(&hourRead) * 60 + hm.value(1).toInt(&minuteRead);
        if (hm.size() < 2 || !hourRead || !minuteRead || minute < 0 || minute >= 1440 || minute % 10 != 0)
            continue;
        std::int16_t deci = RawGap;
        if (readSample(QStringView(f[2 + stat]), deci) == Sample::Level)
            entries[static_cast<size_t>(minute / 10)] = deci;
    }
    return entries;
}

void loadDayFileEntries(const QString& card, RawDay& day) {
    auto load = [&](const QString& extension, int stat) {
        const QString path = card + u'/' + day.stem + extension;
        try {
            if (QFileInfo(path).isFile())
                return tenMinuteEntries(platform::readLines(path), stat);
        } catch (const DataError&) {
        }
        return std::vector<std::int16_t>();
    };
    day.sEntries = load(QStringLiteral(".LAC"), L05);
    day.vEntries = load(QStringLiteral(".LVC"), L10);
}

IntervalStats intervalStats(const RawChannel& channel, int first, int last) {
    IntervalStats st;
    first = std::clamp(first, 0, SecondsPerDay);
    last = std::clamp(last, first, SecondsPerDay);
    st.first = first;
    st.last = last;
    if (channel.empty())
        return st;
    std::vector<std::int16_t> values;
    values.reserve(static_cast<size_t>(last - first));
    double energy = 0;
    for (int s = first; s < last; ++s) {
        const std::int16_t v = channel.seconds[static_cast<size_t>(s)];
        if (v == RawGap)
            continue;
        if (values.empty() || v > st.lmax) {
            st.lmax = v;
            st.lmaxAt = s;
        }
        values.push_back(v);
        energy += std::pow(10.0, v / 100.0);
    }
    const int n = static_cast<int>(values.size());
    st.valid = n;
    if (n == 0)
        return st;
    st.leq = static_cast<int>(std::lround(10.0 * std::log10(energy / n) * 10.0));
    std::sort(values.begin(), values.end(), std::greater<>());
    st.lmin = values.back();
    auto ln = [&](int N) { return values[static_cast<size_t>((n * N + 99) / 100 - 1)]; };
    st.l05 = ln(5);
    st.l10 = ln(10);
    st.l50 = ln(50);
    st.l90 = ln(90);
    st.l95 = ln(95);
    return st;
}

QString deciText(int deci) {
    const int a = std::abs(deci);
    return QStringLiteral("%1%2.%3").arg(deci < 0 ? QStringLiteral("-") : QString()).arg(a / 10).arg(a % 10);
}

} // namespace moravel::data
