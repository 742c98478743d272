#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace moravel::tools {

// What the device writes on its card, for demonstrations, tests and benchmarks.
struct SampleCardOptions {
    int days = 31;                   // measured days written
    QDate start = QDate(2021, 3, 1); // the first measured day
    int gapEvery = 0;                // after this many measured days, leave out calendar days (0: none)
    int gapLength = 1;               // how many calendar days each gap leaves out
    std::uint64_t seed = 1;          // the same seed writes the same bytes
    bool raw = true;                 // also write the raw level files .LA and .LV
    QString week = QStringLiteral("1111110"); // construction weekdays, Monday first
    double undetermined = 0.003;              // share of values written as "---.-"
};

// The sixteen header lines the device copies from "MORVEL.TXT" into every day file.
QStringList sampleHeader(const QString& week);

// A small deterministic random number generator (the same numbers on every machine).
class SampleRandom {
public:
    explicit SampleRandom(std::uint64_t seed)
        : m_state(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E5Dull) {}
    std::uint64_t next();
    double uniform(); // [0, 1)
    double normal();  // mean 0, deviation 1

private:
    std::uint64_t m_state;
};

enum class SampleChannel { Noise, Vibration };

// The levels of a day, one a second in tenths of a decibel (data::RawGap where the monitor recorded
// nothing): quiet nights, working hours on construction days with the impacts of the work, and, with
// the share `gaps`, ten minutes without a record.
std::vector<std::int16_t> sampleSeconds(const QDate& day, SampleChannel channel, const QString& week,
                                        SampleRandom& random, double gaps = 0.003);

// The lines of a day file of statistical levels (.LAC for noise, .LVC for vibration) made from the
// seconds: the header, the empty line 16 and 144 data rows, each the statistics of its ten minutes
// (Le is Leq + 27.8, the exposure of 600 s); a share `undetermined` of the values is written "---.-".
QStringList sampleDayFile(const std::vector<std::int16_t>& seconds, const QDate& day, const QString& week,
                          SampleRandom& random, double undetermined = 0.003);

// The lines of a raw level file (.LA, .LV): the header, the empty line 16 and one line per minute
// with its sixty seconds.
QStringList sampleRawFile(const std::vector<std::int16_t>& seconds, const QDate& day, const QString& week);

// Writes a whole card into a directory (created if needed): for every measured day yyyymmdd.LAC,
// .LVC and, unless turned off, .LA and .LV, and "MORVEL.TXT". Returns the day stems written.
QStringList writeSampleCard(const QString& directory, const SampleCardOptions& options);

} // namespace moravel::tools
