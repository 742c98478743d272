#include "SampleCard.h"

#include "data/Raw.h"
#include "platform/TextFile.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace moravel::tools {

std::uint64_t SampleRandom::next() {
    // splitmix64
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double SampleRandom::uniform() {
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

double SampleRandom::normal() {
    // Irwin-Hall: close enough to a bell for levels, and the same everywhere.
    double sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += uniform();
    return sum - 6.0;
}

QStringList sampleHeader(const QString& week) {
    return {QStringLiteral("中央区立体駐車場新築工事,"),
            QStringLiteral("東京都中央区日本橋１丁目,"),
            QStringLiteral("敷地境界東側,"),
            QStringLiteral("敷地境界東側,"),
            QStringLiteral("特定建設作業,"),
            QStringLiteral("特定建設作業,"),
            QStringLiteral("重機稼働は８時から１８時まで。夜間作業なし。,"),
            QStringLiteral("株式会社環境測定サービス,"),
            QStringLiteral("山田　太郎,"),
            QStringLiteral("S-ALA,85"),
            QStringLiteral("S-ALMODE,0"),
            QStringLiteral("V-ALA,75"),
            QStringLiteral("V-ALMODE,0"),
            QStringLiteral("WEEK,") + week,
            QStringLiteral("START,08:00"),
            QStringLiteral("STOP,18:00")};
}

namespace {

bool isConstructionDay(const QDate& day, const QString& week) {
    const int i = day.dayOfWeek() - 1;
    return i >= 0 && i < week.size() && week[i] == u'1';
}

// The median level of the ten minutes starting at `minute` of the day.
double medianLevel(int minute, bool working, SampleChannel channel, SampleRandom& random) {
    const bool noise = channel == SampleChannel::Noise;
    const double quiet = noise ? 41.0 : 29.0;
    double level = quiet + 2.0 * std::sin(minute / 1440.0 * 6.283) + random.normal() * 1.2;
    const bool workHours = minute >= 8 * 60 && minute < 18 * 60 && !(minute >= 12 * 60 && minute < 13 * 60);
    if (working && workHours)
        level += (noise ? 19.0 : 17.0) + random.normal() * (noise ? 5.0 : 4.0);
    else if (minute >= 6 * 60 && minute < 21 * 60)
        level += 4.0 + random.normal();
    return std::clamp(level, 25.0, 88.0);
}

QString levelText(double v) {
    return QString::asprintf("%05.1f", std::clamp(v, 0.0, 999.9));
}

QString dateText(const QDate& day) {
    return day.toString(QStringLiteral("yyyy/MM/dd"));
}

} // namespace

std::vector<std::int16_t> sampleSeconds(const QDate& day, SampleChannel channel, const QString& week,
                                        SampleRandom& random, double gaps) {
    const bool noise = channel == SampleChannel::Noise;
    const bool working = isConstructionDay(day, week);
    std::vector<std::int16_t> seconds(data::SecondsPerDay, data::RawGap);
    // A cheap bell for the second-to-second variation: four uniforms, deviation 1.
    auto wobble = [&] {
        return (random.uniform() + random.uniform() + random.uniform() + random.uniform() - 2.0) * 1.7320508;
    };
    for (int slot = 0; slot < 144; ++slot) {
        const int minute = slot * 10;
        const double median = medianLevel(minute, working, channel, random);
        // Now and then the monitor records nothing for a while (a card change, a power cut).
        if (gaps > 0 && random.uniform() < gaps)
            continue;
        const bool workHours =
            working && minute >= 8 * 60 && minute < 18 * 60 && !(minute >= 12 * 60 && minute < 13 * 60);
        // Impacts of the work (breakers, piling, dropped loads): a jump that dies away in seconds.
        double impact = 0;
        for (int s = slot * 600; s < slot * 600 + 600; ++s) {
            if (workHours && random.uniform() < (noise ? 0.004 : 0.003))
                impact = (noise ? 14.0 : 10.0) + random.uniform() * (noise ? 22.0 : 18.0);
            const double level = median + wobble() * 2.5 + impact;
            impact *= 0.55;
            seconds[static_cast<size_t>(s)] =
                static_cast<std::int16_t>(std::lround(std::clamp(level, 20.0, 120.0) * 10.0));
        }
    }
    return seconds;
}

QStringList sampleDayFile(const std::vector<std::int16_t>& seconds, const QDate& day, const QString& week,
                          SampleRandom& random, double undetermined) {
    QStringList lines = sampleHeader(week);
    lines.append(QString());
    const QString date = dateText(day);
    data::RawChannel channel;
    channel.seconds = seconds;
    for (int slot = 0; slot < 144; ++slot) {
        const data::IntervalStats st = data::intervalStats(channel, slot * 600, slot * 600 + 600);
        // Le: the sound exposure of the ten minutes, Leq + 10·log10(600 s).
        const int values[9] = {st.leq, st.leq + 278, st.l05,  st.l10, st.l50,
                               st.l90, st.l95,       st.lmin, st.lmax};
        QString row = date + u' ' +
                      QStringLiteral("%1:%2")
                          .arg(slot / 6, 2, 10, QLatin1Char('0'))
                          .arg(slot % 6 * 10, 2, 10, QLatin1Char('0'));
        for (int v : values)
            row += u',' + (st.valid == 0 || random.uniform() < undetermined ? QStringLiteral("---.-")
                                                                            : levelText(v / 10.0));
        lines.append(row);
    }
    return lines;
}

QStringList sampleRawFile(const std::vector<std::int16_t>& seconds, const QDate& day, const QString& week) {
    QStringList lines = sampleHeader(week);
    lines.append(QString());
    const QString date = dateText(day);
    for (int minute = 0; minute < 1440; ++minute) {
        QString row = date + u' ' +
                      QStringLiteral("%1:%2")
                          .arg(minute / 60, 2, 10, QLatin1Char('0'))
                          .arg(minute % 60, 2, 10, QLatin1Char('0'));
        row.reserve(row.size() + 60 * 6);
        for (int s = minute * 60; s < minute * 60 + 60; ++s) {
            const std::int16_t v = seconds[static_cast<size_t>(s)];
            row += u',' + (v == data::RawGap ? QStringLiteral("---.-") : levelText(v / 10.0));
        }
        lines.append(row);
    }
    return lines;
}

QStringList writeSampleCard(const QString& directory, const SampleCardOptions& options) {
    QDir().mkpath(directory);
    const QString dir = QDir(directory).absolutePath() + u'/';
    SampleRandom random(options.seed);
    QStringList stems;
    QDate day = options.start;
    for (int n = 0; n < options.days; ++n) {
        if (options.gapEvery > 0 && n > 0 && n % options.gapEvery == 0)
            day = day.addDays(options.gapLength);
        const QString stem = day.toString(QStringLiteral("yyyyMMdd"));
        // The seconds first, whether or not they are written: every ten-minute entry of the day files
        // is their statistics.
        const std::vector<std::int16_t> s =
            sampleSeconds(day, SampleChannel::Noise, options.week, random, options.undetermined);
        const std::vector<std::int16_t> v =
            sampleSeconds(day, SampleChannel::Vibration, options.week, random, options.undetermined);
        platform::writeLines(dir + stem + QStringLiteral(".LAC"),
                             sampleDayFile(s, day, options.week, random, options.undetermined));
        platform::writeLines(dir + stem + QStringLiteral(".LVC"),
                             sampleDayFile(v, day, options.week, random, options.undetermined));
        if (options.raw) {
            platform::writeLines(dir + stem + QStringLiteral(".LA"), sampleRawFile(s, day, options.week));
            platform::writeLines(dir + stem + QStringLiteral(".LV"), sampleRawFile(v, day, options.week));
        }
        stems.append(stem);
        day = day.addDays(1);
    }
    platform::writeLines(dir + QStringLiteral("MORVEL.TXT"), sampleHeader(options.week));
    return stems;
}

} // namespace moravel::tools
