#include "common/DateText.h"
#include "common/Errors.h"

#include "TestSupport.h"

using namespace moravel;

TEST(DateText, CatalogueText) {
    EXPECT_EQ(dateNumToString("20210305"), QStringLiteral("2021年03月05日"));
}

TEST(DateText, ReadsOneFixedFormat) {
    Stamp s;
    ASSERT_TRUE(readStamp(u"2021/3/1 7:05", s));
    EXPECT_EQ(s.text(), "2021/03/01 07:05:00");
    ASSERT_TRUE(readStamp(u"2021/03/01", u"23:59:58", s));
    EXPECT_EQ(s.text(), "2021/03/01 23:59:58");
    for (const char16_t* bad :
         {u"2021/13/01 00:00", u"2021/02/29 00:00", u"21/03/01 00:00", u"2021-03-01 00:00",
          u"2021/03/01 24:00", u"2021/03/01 00:60", u"2021/03/01", u"2021/03/0100:00", u"2021/03/01 00:00x"})
        EXPECT_FALSE(readStamp(bad, s)) << QString::fromUtf16(bad).toStdString();
    EXPECT_TRUE(readStamp(u"2024/02/29 00:00", s));
}

TEST(DateText, SecondsCarryIntoTheNextDay) {
    Stamp s;
    ASSERT_TRUE(readStamp(u"2021/12/31 23:59:58", s));
    s.addSeconds(2);
    EXPECT_EQ(s.text(), "2022/01/01 00:00:00");
    ASSERT_TRUE(readStamp(u"2021/02/28 23:59", s));
    s.addSeconds(61);
    EXPECT_EQ(s.text(), "2021/03/01 00:00:01");
}

TEST(DateText, Weekdays) {
    EXPECT_EQ(weekdayOfRowDate(u"2021/03/01"), 0); // a Monday
    EXPECT_EQ(weekdayOfRowDate(u"2021/03/07"), 6);
    EXPECT_EQ(weekdayOfCatalogueText(u"2021年03月06日"), 5);
    EXPECT_EQ(weekdayMark(5), QStringLiteral("(土)"));
    EXPECT_THROW(weekdayOfRowDate(u"2021/13/01"), DataError);
    EXPECT_THROW(weekdayOfCatalogueText(u"2021年13月01日"), DataError);
}
