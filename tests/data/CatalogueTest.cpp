#include "data/Catalogue.h"

#include "TestSupport.h"

using moravel::data::catalogueFromNames;
using moravel::data::isDayStem;

TEST(Catalogue, PairsExactUpperCaseExtensions) {
    const QStringList names = {"20210302.LAC", "20210301.LVC", "20210301.LAC",    "20210303.LAC",
                               "2021030.LAC",  "2021030.LVC",  "20210304.lac",    "20210304.LVC",
                               "MORVEL.TXT",   "20210301.LA",  "20210302.LVC.bak"};
    EXPECT_EQ(catalogueFromNames(names), QStringList{"20210301"});
}

TEST(Catalogue, SortsStemsAscending) {
    EXPECT_EQ(catalogueFromNames({"20210310.LVC", "20210310.LAC", "20201231.LAC", "20201231.LVC",
                                  "20210102.LVC", "20210102.LAC"}),
              (QStringList{"20201231", "20210102", "20210310"}));
}

TEST(Catalogue, StemPatternIsAllThatIsChecked) {
    EXPECT_TRUE(isDayStem("20211301")); // a 13th month passes the pattern
    EXPECT_FALSE(isDayStem("20212101"));
    EXPECT_FALSE(isDayStem("20210141"));
    EXPECT_FALSE(isDayStem("2021030"));
    EXPECT_FALSE(isDayStem("202103011"));
    EXPECT_FALSE(isDayStem("20210301\n"));
    EXPECT_FALSE(isDayStem(QStringLiteral("２0210301")));
}
