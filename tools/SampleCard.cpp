#include "SampleCard.h"

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

QStringList sampleDayFile(const QDate& day, SampleChannel channel, const QString& week, SampleRandom& random,
                          double undetermined) {
    QStringList lines = sampleHeader(week);
    lines.append(QString());
    const bool working = isConstructionDay(day, week);
    const QString date = dateText(day);
    for (int slot = 0; slot < 144; ++slot) {
        const double l50 = medianLevel(slot * 10, working, channel, random);
        const double spread = 1.0 + std::abs(random.normal()) * 0.6;
        const double leq = l50 + 3.0 * spread;
        const double values[9] = {leq,
                                  leq + 27.8,
                                  l50 + 8 * spread,
                                  l50 + 6 * spread,
                                  l50,
                                  l50 - 4 * spread,
                                  l50 - 5 * spread,
                                  l50 - 7 * spread,
                                  l50 + 15 * spread};
        QString row = date + u' ' +
                      QStringLiteral("%1:%2")
                          .arg(slot / 6, 2, 10, QLatin1Char('0'))
                          .arg(slot % 6 * 10, 2, 10, QLatin1Char('0'));
        for (double v : values)
            row += u',' + (random.uniform() < undetermined ? QStringLiteral("---.-") : levelText(v));
        lines.append(row);
    }
    return lines;
}

QStringList sampleRawFile(const QDate& day, SampleChannel channel, const QString& week,
                          SampleRandom& random) {
    QStringList lines = sampleHeader(week);
    lines.append(QString());
    const bool working = isConstructionDay(day, week);
    const QString date = dateText(day);
    double level = 0;
    for (int minute = 0; minute < 1440; ++minute) {
        if (minute % 10 == 0)
            level = medianLevel(minute, working, channel, random);
        QString row = date + u' ' +
                      QStringLiteral("%1:%2")
                          .arg(minute / 60, 2, 10, QLatin1Char('0'))
                          .arg(minute % 60, 2, 10, QLatin1Char('0'));
        row.reserve(row.size() + 60 * 6);
        for (int s = 0; s < 60; ++s)
            row += u',' + levelText(level + random.normal() * 2.5);
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
        platform::writeLines(
            dir + stem + QStringLiteral(".LAC"),
            sampleDayFile(day, SampleChannel::Noise, options.week, random, options.undetermined));
        platform::writeLines(
            dir + stem + QStringLiteral(".LVC"),
            sampleDayFile(day, SampleChannel::Vibration, options.week, random, options.undetermined));
        if (options.raw) {
            platform::writeLines(dir + stem + QStringLiteral(".LA"),
                                 sampleRawFile(day, SampleChannel::Noise, options.week, random));
            platform::writeLines(dir + stem + QStringLiteral(".LV"),
                                 sampleRawFile(day, SampleChannel::Vibration, options.week, random));
        }
        stems.append(stem);
        day = day.addDays(1);
    }
    platform::writeLines(dir + QStringLiteral("MORVEL.TXT"), sampleHeader(options.week));
    return stems;
}

} // namespace moravel::tools
