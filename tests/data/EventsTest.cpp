#include "data/Events.h"
#include "data/Compliance.h"

#include "SampleCard.h"
#include "TestSupport.h"
#include "common/LevelStat.h"

#include <QTemporaryDir>
#include <cmath>

using namespace moravel::data;
using moravel::L05;
using moravel::L10;
using moravel::Lmax;

namespace {

// A channel at 40.0 dB with the given levels (deci-dB) from the given seconds; -1 is a gap.
RawChannel quietWith(const std::vector<std::pair<int, std::vector<int>>>& bursts) {
    RawChannel c;
    c.seconds.assign(SecondsPerDay, 400);
    for (const auto& [first, levels] : bursts)
        for (size_t i = 0; i < levels.size(); ++i)
            c.seconds[static_cast<size_t>(first) + i] =
                levels[i] < 0 ? RawGap : static_cast<std::int16_t>(levels[i]);
    return c;
}

QStringList spans(const QList<Event>& events) {
    QStringList out;
    for (const Event& e : events)
        out.append(QStringLiteral("%1-%2 %3@%4").arg(e.start).arg(e.end).arg(e.peak).arg(e.peakAt));
    return out;
}

} // namespace

TEST(Events, RunsAboveTheThresholdMergedAcrossShortPauses) {
    const struct {
        const char* name;
        std::vector<std::pair<int, std::vector<int>>> bursts;
        QStringList expected;
    } cases[] = {
        {"a single second", {{36000, {800}}}, {"36000-36001 800@36000"}},
        {"at the threshold is not above", {{36000, {750, 751}}}, {"36001-36002 751@36001"}},
        // 4 quiet seconds between two bursts: one event; 6 between: two. Its quiet seconds count in it.
        {"4 s apart", {{36000, {800, 810}}, {36006, {820}}}, {"36000-36007 820@36006"}},
        {"6 s apart", {{36000, {800}}, {36007, {820}}}, {"36000-36001 800@36000", "36007-36008 820@36007"}},
        // A second without a sample ends a run; the next run 2 s later belongs to it again.
        {"a gap inside", {{36000, {800, -1, 830}}}, {"36000-36003 830@36002"}},
        {"across an entry", {{35998, {800, 800, 900, 800}}}, {"35998-36002 900@36000"}},
        {"up to midnight", {{86398, {800, 850}}}, {"86398-86400 850@86399"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spans(events(quietWith(c.bursts), 0, SecondsPerDay, 750)), c.expected) << c.name;

    // Leq and SEL: three seconds at 80 dB, then one at 90 dB within the pause.
    const QList<Event> e = events(quietWith({{100, {800, 800, 800}}}), 0, SecondsPerDay, 750);
    ASSERT_EQ(e.size(), 1);
    EXPECT_EQ(e[0].leq, 800);
    EXPECT_EQ(e[0].sel, 848); // 80 + 10·log10(3) = 84.77
    const QList<Event> two = events(quietWith({{100, {800, 400, 900}}}), 0, SecondsPerDay, 750);
    // (10^8 + 10^4 + 10^9) / 3 → 85.64; + 4.77 = 90.41
    EXPECT_EQ(two[0].leq, 856);
    EXPECT_EQ(two[0].sel, 904);
    EXPECT_TRUE(events(RawChannel(), 0, SecondsPerDay, 750).isEmpty());
}

TEST(Events, NoiseAndVibrationThatOverlapCoincide) {
    QList<Event> s = events(quietWith({{100, {800, 800}}, {200, {800}}}), 0, SecondsPerDay, 750);
    QList<Event> v = events(quietWith({{101, {800}}, {300, {800}}}), 0, SecondsPerDay, 750);
    markCoinciding(s, v);
    EXPECT_TRUE(s[0].coinciding);
    EXPECT_FALSE(s[1].coinciding);
    EXPECT_TRUE(v[0].coinciding);
    EXPECT_FALSE(v[1].coinciding);
}

TEST(Events, TheMaximaOfTheEventsThatEndInAnEntry) {
    QList<Event> events;
    auto peak = [&](int end, int deci) {
        Event e;
        e.start = end - 1;
        e.end = end;
        e.peak = deci;
        events.append(e);
    };
    // Entry 60 (10:00–10:10): 70.0, 80.0 and 75.5; an event ending at 10:10:00 belongs to it.
    peak(36001, 700);
    peak(36300, 800);
    peak(36600, 755);
    // Entry 61: 25 peaks from 60.0 to 84.0: the 90 % range's upper end is the second highest.
    for (int i = 0; i < 25; ++i)
        peak(36601 + i, 600 + 10 * i);
    const auto mean = maximaValues(events, Method::MaximaMean);
    const auto upper = maximaValues(events, Method::Maxima90);
    EXPECT_DOUBLE_EQ(mean[60], 75.2); // 225.5 / 3 = 75.17
    EXPECT_DOUBLE_EQ(upper[60], 80.0);
    EXPECT_DOUBLE_EQ(mean[61], 72.0);
    EXPECT_DOUBLE_EQ(upper[61], 83.0);
    EXPECT_TRUE(std::isnan(mean[62]));
    EXPECT_EQ(methodOf("maxima-90"), Method::Maxima90);
    EXPECT_EQ(methodOf("L05"), std::nullopt);
}

TEST(Events, AnEntryOverTheReferenceByItsMaximaButNotByL05IsWarnedOf) {
    DayRecord day;
    day.stem = "20210301";
    day.s.file = "20210301.LAC";
    day.s.week.fill(true);
    day.s.reference = 85;
    for (auto& level : day.s.values)
        level.fill(60.0);
    day.s.values[Lmax][60] = 92.0; // 10:00: a peak of 92 dB, L05 60 dB
    day.s.values[Lmax][70] = 86.0;
    day.v = day.s;
    day.v.file = "20210301.LVC";
    // The raw seconds: one impact of 95 dB in 10:00–10:10, none above 75 dB elsewhere.
    RawDay raw;
    raw.stem = "20210301";
    raw.s = quietWith({{36100, {950}}});
    raw.v = quietWith({});
    addEvents(day, raw);
    const TimeWindow window = TimeWindow::fromHoursMinutes(8, 0, 18, 0);
    const Compliance c = complianceOf({day}, window, L05, L10);
    const ChannelDay& s = c.s[0];
    EXPECT_EQ(s.exceededEntries, 0);
    EXPECT_EQ(s.lmaxExceeded, 2);
    EXPECT_EQ(s.maxima90Exceeded, 1);
    EXPECT_EQ(s.warning, QStringLiteral("最大値による判定では基準値を超えています（2区間）"));
    ASSERT_EQ(s.events.size(), 1);
    EXPECT_EQ(s.events[0].peak, 950);

    // Judged by the maxima of the events: the impact's entry exceeds, those without events are
    // counted apart; the Lmax of 86 dB at 11:40, with no event, is still warned of.
    const Compliance m = complianceOf({day}, window, L05, L10, Method::Maxima90, Method::Statistic);
    EXPECT_EQ(m.s[0].exceededEntries, 1);
    EXPECT_EQ(m.s[0].exceedances[0].start, 600);
    EXPECT_EQ(m.s[0].unjudged, 59);
    EXPECT_EQ(m.s[0].warningEntries, 1);
    // The vibration channel has no raw events: its maxima-90 count is none, not zero.
    EXPECT_EQ(m.v[0].maxima90Exceeded, 0);
    const Compliance byLmax = complianceOf({day}, window, L05, L10, Method::Lmax, Method::Lmax);
    EXPECT_EQ(byLmax.s[0].exceededEntries, 2);
    EXPECT_TRUE(byLmax.s[0].warning.isEmpty());
}
