#include "data/Raw.h"

#include "common/LevelStat.h"

#include "SampleCard.h"
#include "TestSupport.h"
#include "platform/TextFile.h"

#include <QDir>
#include <algorithm>
#include <cmath>

using namespace moravel::data;

namespace {

const QDate Day(2021, 3, 1);

// A raw file of the device: the header, the empty line 16, then the given data lines.
QByteArray rawFile(const QStringList& lines) {
    QStringList all = moravel::tools::sampleHeader(QStringLiteral("1111100"));
    all.append(QString());
    all += lines;
    return moravel::platform::encodeCp932(all.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// The samples of seconds [first, first + count) as deci-dB, "-" for a gap.
QStringList samples(const RawChannel& c, int first, int count) {
    QStringList out;
    for (int s = first; s < first + count; ++s)
        out.append(c.seconds[static_cast<size_t>(s)] == RawGap
                       ? QStringLiteral("-")
                       : QString::number(c.seconds[static_cast<size_t>(s)]));
    return out;
}

// A channel with the given levels (deci-dB) from second `first`, gaps elsewhere.
RawChannel channelOf(const std::vector<int>& levels, int first = 0) {
    RawChannel c;
    c.seconds.assign(SecondsPerDay, RawGap);
    for (size_t i = 0; i < levels.size(); ++i)
        c.seconds[static_cast<size_t>(first) + i] = static_cast<std::int16_t>(levels[i]);
    return c;
}

} // namespace

TEST(RawDay, LinesArePlacedSecondBySecondAndWhatDoesNotFitIsCounted) {
    const struct {
        const char* what;
        QStringList lines;
        int first, count;
        QStringList expected;
        int outOfOrder, overlapping, pastMidnight, otherDate, unreadable;
    } cases[] = {
        {"one line",
         {"2021/03/01 10:42,063.5,064.0,---.-,65"},
         10 * 3600 + 42 * 60 - 1,
         6,
         {"-", "635", "640", "-", "650", "-"},
         0,
         0,
         0,
         0,
         0},
        {"seconds in the time",
         {"2021/03/01 10:42:58,050.0,051.0,052.0"},
         10 * 3600 + 42 * 60 + 58,
         3,
         {"500", "510", "520"},
         0,
         0,
         0,
         0,
         0},
        {"a short time field is midnight",
         {"2021/03/01 0:0,041.0,042.0"},
         0,
         3,
         {"410", "420", "-"},
         0,
         0,
         0,
         0,
         0},
        {"out of order, then overlapping: the first sample stays",
         {"2021/03/01 00:01,070.0,071.0", "2021/03/01 00:00,060.0", "2021/03/01 00:01:01,099.9,072.0"},
         59,
         4,
         {"-", "700", "710", "720"},
         1,
         1,
         0,
         0,
         0},
        {"past midnight",
         {"2021/03/01 23:59:58,030.0,031.0,032.0,033.0"},
         SecondsPerDay - 3,
         3,
         {"-", "300", "310"},
         0,
         0,
         2,
         0,
         0},
        {"another date or none",
         {"2021/03/02 00:00,050.0", "xx/03/01 00:00,050.0", "2021/03/01 00:00,051.0"},
         0,
         2,
         {"510", "-"},
         0,
         0,
         0,
         2,
         0},
        {"a level that is no number is a gap",
         {"2021/03/01 00:00,abc,6.5.5,052,053.", "2021/03/01 00:00:04,12345"},
         0,
         5,
         {"-", "-", "520", "530", "-"},
         0,
         0,
         0,
         0,
         3},
        {"a line without samples", {"2021/03/01 00:00"}, 0, 1, {"-"}, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const RawChannel channel = readRawChannel(rawFile(c.lines), Day);
        ASSERT_EQ(channel.seconds.size(), size_t(SecondsPerDay)) << c.what;
        EXPECT_EQ(samples(channel, c.first, c.count), c.expected) << c.what;
        EXPECT_EQ(channel.outOfOrder, c.outOfOrder) << c.what;
        EXPECT_EQ(channel.overlapping, c.overlapping) << c.what;
        EXPECT_EQ(channel.pastMidnight, c.pastMidnight) << c.what;
        EXPECT_EQ(channel.otherDate, c.otherDate) << c.what;
        EXPECT_EQ(channel.unreadable, c.unreadable) << c.what;
    }
}

TEST(RawDay, AMissingFileIsAnEmptyChannelWithItsReason) {
    QTemporaryDir tmp;
    moravel::tools::writeSampleCard(tmp.path(), moravel::test::cardOptions(1, true));
    QFile::remove(tmp.filePath("20210301.LV"));
    const RawDay day = loadRawDay(tmp.path(), QStringLiteral("20210301"));
    EXPECT_EQ(day.s.validSeconds(), SecondsPerDay); // a test card records every second
    EXPECT_TRUE(day.v.empty());
    EXPECT_EQ(day.v.reason, QStringLiteral("20210301.LV がありません。"));
    // The same bytes with a byte order mark read the same.
    const QByteArray bytes = moravel::test::readBytes(tmp.filePath("20210301.LA"));
    const QString text = moravel::platform::decodeLines(bytes).join(QStringLiteral("\r\n"));
    EXPECT_EQ(readRawChannel(QByteArray("\xEF\xBB\xBF") + text.toUtf8(), Day).seconds, day.s.seconds);
}

TEST(IntervalStatistics, HandMadeIntervals) {
    // A constant: every statistic is that level.
    const IntervalStats constant = intervalStats(channelOf(std::vector<int>(600, 635), 100), 100, 700);
    EXPECT_EQ(constant.valid, 600);
    for (int v : {constant.leq, constant.lmax, constant.lmin, constant.l05, constant.l10, constant.l50,
                  constant.l90, constant.l95})
        EXPECT_EQ(v, 635);
    EXPECT_EQ(constant.lmaxAt, 100);

    // A ramp 1..100 (in tenths): sorted from the highest, L_N is the sample at ⌈100·N/100⌉.
    std::vector<int> ramp;
    for (int i = 1; i <= 100; ++i)
        ramp.push_back(i);
    const IntervalStats r = intervalStats(channelOf(ramp), 0, 100);
    EXPECT_EQ(r.lmax, 100);
    EXPECT_EQ(r.lmaxAt, 99);
    EXPECT_EQ(r.lmin, 1);
    EXPECT_EQ(r.l05, 96);
    EXPECT_EQ(r.l10, 91);
    EXPECT_EQ(r.l50, 51);
    EXPECT_EQ(r.l90, 11);
    EXPECT_EQ(r.l95, 6);

    // Two levels 10 dB apart, half the time each: the energy average is 10·log10((10^6 + 10^7)/2)
    // = 67.4 dB, far above the arithmetic mean of 65.
    std::vector<int> two(50, 600);
    two.insert(two.end(), 50, 700);
    const IntervalStats e = intervalStats(channelOf(two), 0, 100);
    EXPECT_EQ(e.leq, static_cast<int>(std::lround(100 * std::log10((1e6 + 1e7) / 2))));
    EXPECT_EQ(e.leq, 674);

    // Ties at the position and gaps: three valid seconds of seven; ⌈3·5/100⌉ = 1, ⌈3·50/100⌉ = 2,
    // ⌈3·95/100⌉ = 3. Lmax is the first second that holds it.
    RawChannel gaps = channelOf({500, 520, 520}, 10);
    const IntervalStats g = intervalStats(gaps, 8, 15);
    EXPECT_EQ(g.valid, 3);
    EXPECT_EQ(g.l05, 520);
    EXPECT_EQ(g.l50, 520);
    EXPECT_EQ(g.l95, 500);
    EXPECT_EQ(g.lmaxAt, 11);
    // No valid second: nothing to say.
    EXPECT_EQ(intervalStats(gaps, 0, 10).valid, 0);
    EXPECT_EQ(intervalStats(RawChannel(), 0, 10).valid, 0);
    EXPECT_EQ(deciText(635), QStringLiteral("63.5"));
    EXPECT_EQ(deciText(5), QStringLiteral("0.5"));
}

// The ten-minute entries of the day files are the statistics of the raw seconds, on a whole card
// written with its recording gaps and undetermined values.
TEST(RawDay, TheTenMinuteEntriesOfADayFile) {
    const QStringList lines = moravel::test::dayFile(
        {"2021/03/01 00:00,040.9,068.7,044.4,043.5,040.3,036.7,035.9,033.0,046.3",
         "2021/03/01 00:10,043.1,070.9,---.-,045.6,042.5,039.5,038.4,036.0,049.6",
         "2021/03/01 00:15,043.1,070.9,050.0,045.6,042.5,039.5,038.4,036.0,049.6", // not on ten minutes
         "2021/03/01 00:20,043.1,070.9",                                           // too short
         "2021/03/01 23:50,1,2,63,4,5,6,7,8,9"});
    const std::vector<std::int16_t> l05 = tenMinuteEntries(lines, moravel::L05);
    ASSERT_EQ(l05.size(), 144u);
    EXPECT_EQ(l05[0], 444);
    EXPECT_EQ(l05[1], RawGap);
    EXPECT_EQ(l05[2], RawGap);
    EXPECT_EQ(l05[143], 630);
    EXPECT_EQ(std::count(l05.begin(), l05.end(), RawGap), 142);
    EXPECT_EQ(tenMinuteEntries(lines, moravel::Lmax)[1], 496);
}

TEST(RawDay, TheDayFilesEntriesAreTheStatisticsOfTheirSeconds) {
    QTemporaryDir tmp;
    moravel::tools::SampleCardOptions options;
    options.days = 3;
    const QStringList stems = moravel::tools::writeSampleCard(tmp.path(), options);
    int compared = 0;
    for (const QString& stem : stems) {
        const RawDay day = loadRawDay(tmp.path(), stem);
        for (const auto& [channel, extension] : {std::pair{&day.s, ".LAC"}, std::pair{&day.v, ".LVC"}}) {
            const QStringList lines = moravel::platform::readLines(tmp.filePath(stem + extension));
            ASSERT_EQ(lines.size(), 17 + 144);
            for (int slot = 0; slot < 144; ++slot) {
                const QStringList fields = lines[17 + slot].split(u',');
                const IntervalStats st = intervalStats(*channel, slot * 600, slot * 600 + 600);
                const int expected[9] = {st.leq, st.leq + 278, st.l05,  st.l10, st.l50,
                                         st.l90, st.l95,       st.lmin, st.lmax};
                for (int i = 0; i < 9; ++i) {
                    if (fields[1 + i] == u"---.-")
                        continue;
                    EXPECT_EQ(fields[1 + i], QString::asprintf("%05.1f", expected[i] / 10.0))
                        << stem.toStdString() << extension << " " << slot << " " << i;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 3 * 2 * 144 * 9 * 9 / 10);
}
