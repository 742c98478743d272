#include "data/Events.h"

#include "common/LevelStat.h"

#include <algorithm>
#include <cmath>

namespace moravel::data {

namespace {

// A level in tenths from an energy sum, rounded half away from zero.
int deciOf(double decibels) {
    return static_cast<int>(std::lround(decibels * 10 + (decibels < 0 ? -1e-9 : 1e-9)));
}

Event measured(const RawChannel& c, int start, int end) {
    Event e;
    e.start = start;
    e.end = end;
    double energy = 0;
    int n = 0;
    bool any = false;
    for (int s = start; s < end; ++s) {
        const std::int16_t v = c.seconds[static_cast<size_t>(s)];
        if (v == RawGap)
            continue;
        if (!any || v > e.peak) {
            e.peak = v;
            e.peakAt = s;
            any = true;
        }
        energy += std::pow(10.0, v / 100.0);
        ++n;
    }
    const double leq = 10 * std::log10(energy / n);
    e.leq = deciOf(leq);
    e.sel = deciOf(leq + 10 * std::log10(static_cast<double>(end - start)));
    return e;
}

} // namespace

QList<Event> events(const RawChannel& channel, int first, int last, int threshold, int gap) {
    QList<Event> out;
    if (channel.empty())
        return out;
    first = std::clamp(first, 0, SecondsPerDay);
    last = std::clamp(last, first, SecondsPerDay);
    // The runs above the threshold, merged while the next begins fewer than `gap` seconds after.
    int runStart = -1, runEnd = -1;
    auto close = [&] {
        if (runStart >= 0)
            out.append(measured(channel, runStart, runEnd));
        runStart = runEnd = -1;
    };
    for (int s = first; s < last; ++s) {
        const std::int16_t v = channel.seconds[static_cast<size_t>(s)];
        if (v == RawGap || v <= threshold)
            continue;
        if (runStart >= 0 && s - runEnd < gap) {
            runEnd = s + 1;
            continue;
        }
        close();
        runStart = s;
        runEnd = s + 1;
    }
    close();
    return out;
}

void markCoinciding(QList<Event>& s, QList<Event>& v) {
    // Both lists are in time order: walk them together.
    qsizetype j = 0;
    for (Event& a : s) {
        while (j < v.size() && v[j].end <= a.start)
            ++j;
        for (qsizetype k = j; k < v.size() && v[k].start < a.end; ++k) {
            a.coinciding = true;
            v[k].coinciding = true;
        }
    }
}

DayEvents dayEvents(const RawDay& raw, std::optional<int> sThreshold, std::optional<int> vThreshold,
                    int gap) {
    DayEvents d;
    d.stem = raw.stem;
    d.sThreshold = sThreshold;
    d.vThreshold = vThreshold;
    d.sReason = raw.s.reason;
    d.vReason = raw.v.reason;
    if (sThreshold)
        d.s = events(raw.s, 0, SecondsPerDay, *sThreshold, gap);
    if (vThreshold)
        d.v = events(raw.v, 0, SecondsPerDay, *vThreshold, gap);
    markCoinciding(d.s, d.v);
    return d;
}

QString methodName(Method method) {
    switch (method) {
    case Method::Lmax:
        return QStringLiteral("lmax");
    case Method::MaximaMean:
        return QStringLiteral("maxima-mean");
    case Method::Maxima90:
        return QStringLiteral("maxima-90");
    case Method::Statistic:
        break;
    }
    return QStringLiteral("statistic");
}

std::optional<Method> methodOf(const QString& name) {
    for (Method m : {Method::Statistic, Method::Lmax, Method::MaximaMean, Method::Maxima90})
        if (methodName(m) == name)
            return m;
    return std::nullopt;
}

QString methodTitle(Method method, int level) {
    switch (method) {
    case Method::Lmax:
        return QStringLiteral("Lmax");
    case Method::MaximaMean:
        return QStringLiteral("最大値の平均");
    case Method::Maxima90:
        return QStringLiteral("最大値の90%上端");
    case Method::Statistic:
        break;
    }
    return QStringLiteral("統計値（%1）").arg(levelStatName(level));
}

bool byMaxima(Method method) {
    return method == Method::MaximaMean || method == Method::Maxima90;
}

std::array<double, SlotsPerDay> maximaValues(const QList<Event>& events, Method method) {
    std::array<std::vector<int>, SlotsPerDay> peaks;
    for (const Event& e : events)
        peaks[static_cast<size_t>((e.end - 1) / 600)].push_back(e.peak);
    std::array<double, SlotsPerDay> values;
    for (int slot = 0; slot < SlotsPerDay; ++slot) {
        std::vector<int>& p = peaks[static_cast<size_t>(slot)];
        const int n = static_cast<int>(p.size());
        if (n == 0) {
            values[static_cast<size_t>(slot)] = std::nan("");
            continue;
        }
        if (method == Method::Maxima90) {
            std::sort(p.begin(), p.end(), std::greater<>());
            values[static_cast<size_t>(slot)] = p[static_cast<size_t>((n * 5 + 99) / 100 - 1)] / 10.0;
        } else {
            double sum = 0;
            for (int v : p)
                sum += v;
            values[static_cast<size_t>(slot)] = std::lround(sum / n) / 10.0;
        }
    }
    return values;
}

} // namespace moravel::data
