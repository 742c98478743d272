#include "common/Fields.h"

#include "TestSupport.h"

using moravel::splitFields;

TEST(CommaRule, SplitsDataRowsAtCommasAndBlanks) {
    EXPECT_EQ(splitFields(u"2021/03/01 00:10,055.3,---.-,070.0"),
              (QStringList{"2021/03/01", "00:10", "055.3", "---.-", "070.0"}));
}

TEST(CommaRule, Cases) {
    struct Case {
        const char16_t* line;
        QStringList fields;
    };
    const Case cases[] = {
        {u"", {}},
        {u"   ", {}},
        {u"a,,b", {"a", "", "b"}}, // an empty field between two commas is kept
        {u"a,", {"a", ""}},        // a closing comma adds an empty field
        {u"a, ", {"a"}},           // but not when a blank follows it
        {u",", {"", ""}},
        {u"  a b", {"a", "b"}},       // leading blanks skipped, a blank ends a field
        {u"a , b", {"a", "b"}},       // blanks around a comma make one separator
        {u"a\tb", {"a", "b"}},        // any character up to U+0020 is a blank
        {u"\"x y\",z", {"x y", "z"}}, // quotes keep blanks inside
        {u"\"say \"\"hi\"\"\",z", {"say \"hi\"", "z"}},
        {u"\"open", {"open"}}, // an unclosed quote runs to the end
        {u"\"ab\"cd", {"ab", "cd"}},
        {u"現場　名,", {"現場　名", ""}}, // an ideographic space is not a blank
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitFields(QString::fromUtf16(c.line)), c.fields)
            << QString::fromUtf16(c.line).toStdString();
}

TEST(CommaRule, SplitterReusesItsStorage) {
    moravel::FieldSplitter s;
    EXPECT_EQ(s.split(u"\"a\"\"b\",c,\"d\"\"e\""), 3);
    EXPECT_EQ(s[0], u"a\"b");
    EXPECT_EQ(s[1], u"c");
    EXPECT_EQ(s[2], u"d\"e");
    EXPECT_EQ(s.split(u"x"), 1);
    EXPECT_EQ(s[0], u"x");
}
