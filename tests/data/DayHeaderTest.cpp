#include "data/DayHeader.h"
#include "common/Errors.h"

#include "TestSupport.h"

using moravel::DataError;
using moravel::data::checkHeader;
using moravel::data::HeaderCheck;
using moravel::test::dataRow;
using moravel::test::dayFile;

namespace {

QStringList goodFile() {
    return dayFile({dataRow("2021/03/01", 0, 0, "055.3"), dataRow("2021/03/01", 0, 10, "056.0")});
}
QString stem() {
    return QStringLiteral("20210301");
}

} // namespace

TEST(DayHeader, ReadsItemsWeekdaysAndLedTimes) {
    QStringList lac = goodFile();
    lac[0] = QStringLiteral("中央,区,新築工事,");
    const HeaderCheck c = checkHeader(lac, goodFile(), stem);
    EXPECT_EQ(c.outcome, HeaderCheck::Outcome::Ok);
    EXPECT_TRUE(c.messages.isEmpty());
    EXPECT_EQ(c.items[0], QStringLiteral("中央区新築工事")); // commas inside the text go too
    EXPECT_EQ(c.items[3], QStringLiteral("敷地境界東側"));
    EXPECT_EQ(c.items[6], QStringLiteral("重機稼働は８時から１８時まで。夜間作業なし。"));
    EXPECT_EQ(c.items[9], "85");
    EXPECT_EQ(c.items[10], "75");
    EXPECT_EQ(c.week, (std::array<bool, 7>{true, true, true, true, true, false, false}));
    EXPECT_EQ(c.start, "08:00");
    EXPECT_EQ(c.stop, "18:00");
}

TEST(DayHeader, BrokenHeaders) {
    struct Case {
        const char* name;
        int file; // 0: .LAC, 1: .LVC, 2: both
        int line;
        QString text;
        HeaderCheck::Outcome outcome;
        QStringList messages;
    };
    const QString lacBroken = QStringLiteral("20210301.LAC\r\nは破損しています。");
    const QString lvcBroken = QStringLiteral("20210301.LVC\r\nは破損しています。");
    const QString weekBroken = QStringLiteral("2021/03/01.LAC [WEEK]の部分\r\nは破損しています。");
    const Case cases[] = {
        {"line 16 of .LAC holds text", 0, 16, "x", HeaderCheck::Outcome::HeaderEndMissing, {lacBroken}},
        {"line 16 of .LVC holds text", 1, 16, "x", HeaderCheck::Outcome::HeaderEndMissing, {lvcBroken}},
        {"line 16 of both", 2, 16, "x", HeaderCheck::Outcome::HeaderEndMissing, {lacBroken, lvcBroken}},
        {"six weekday flags", 0, 13, "WEEK,111110", HeaderCheck::Outcome::Corrupt, {weekBroken}},
        {"eight weekday flags", 0, 13, "WEEK,11111000", HeaderCheck::Outcome::Corrupt, {weekBroken}},
        {"one-digit start hour", 0, 14, "START,8:00", HeaderCheck::Outcome::Corrupt, {lacBroken}},
        {"start and stop of both broken", 2, 14, "START,8:00", HeaderCheck::Outcome::Corrupt, {lacBroken}},
        {"broken .LAC stop alone resets silently", 0, 15, "STOP,8:00", HeaderCheck::Outcome::Corrupt, {}},
        {"broken .LVC stop alone is not checked", 1, 15, "STOP,8:00", HeaderCheck::Outcome::Ok, {}},
    };
    for (const Case& c : cases) {
        QStringList lac = goodFile(), lvc = goodFile();
        if (c.file != 1)
            lac[c.line] = c.text;
        if (c.file != 0)
            lvc[c.line] = c.text;
        const HeaderCheck r = checkHeader(lac, lvc, stem);
        EXPECT_EQ(r.outcome, c.outcome) << c.name;
        EXPECT_EQ(r.messages, c.messages) << c.name;
    }
}

TEST(DayHeader, BothStopLinesBrokenNameTheVibrationFile) {
    QStringList lac = goodFile(), lvc = goodFile();
    lac[15] = "STOP,6:00";
    lvc[15] = "STOP,6:00";
    EXPECT_EQ(checkHeader(lac, lvc, stem).messages,
              QStringList{QStringLiteral("20210301.LVC\r\nは破損しています。")});
}

TEST(DayHeader, WeekFlagsOtherThanOneCountAsNotConstruction) {
    QStringList lac = goodFile();
    lac[13] = "WEEK,11111ab";
    const HeaderCheck c = checkHeader(lac, goodFile(), stem);
    EXPECT_EQ(c.outcome, HeaderCheck::Outcome::Ok);
    EXPECT_EQ(c.week, (std::array<bool, 7>{true, true, true, true, true, false, false}));
}

TEST(DayHeader, MissingLinesAndMissingDayAreErrors) {
    QStringList shortFile = goodFile().mid(0, 16);
    EXPECT_THROW(checkHeader(shortFile, goodFile(), stem), DataError);
    // In month mode no day is selected: naming the file fails, and with it the check.
    QStringList lac = goodFile();
    lac[16] = "x";
    EXPECT_THROW(checkHeader(lac, goodFile(), []() -> QString { throw DataError("no day"); }), DataError);
}
