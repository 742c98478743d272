#include "common/Checked.h"
#include "common/Errors.h"

#include "TestSupport.h"

#include <QLocale>

using namespace moravel;

TEST(Checked, LineAtThrowsBeyondTheEnd) {
    const QStringList lines = {"a", "b"};
    EXPECT_EQ(lineAt(lines, 1), "b");
    EXPECT_THROW(lineAt(lines, 2), DataError);
    EXPECT_THROW(lineAt(lines, -1), DataError);
    try {
        lineAt(lines, 16);
        FAIL() << "line 17 of two lines was read";
    } catch (const DataError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("ファイルに17行目がありません（2行）。"));
    }
}

TEST(Checked, LevelTexts) {
    EXPECT_DOUBLE_EQ(levelValue(u"055.3"), 55.3);
    EXPECT_DOUBLE_EQ(levelValue(u" 70 "), 70.0);
    EXPECT_DOUBLE_EQ(levelValue(u"1e2"), 100.0);
    for (const char16_t* bad : {u"", u"---.-", u"inf", u"nan", u"55,3", u"abc", u"1e400"})
        EXPECT_THROW(levelValue(bad), DataError) << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(levelTruncated(u"65.9"), 65);
    EXPECT_EQ(levelTruncated(u"-0.5"), 0);
    EXPECT_EQ(levelFloored(u"-0.5"), -1);
    EXPECT_EQ(levelFloored(u"064.9"), 64);
}

TEST(Checked, WholeNumbers) {
    EXPECT_EQ(toInt(u"70"), 70);
    EXPECT_EQ(toInt(u"-5"), -5);
    EXPECT_EQ(toInt(u"+7"), 7);
    for (const char16_t* bad : {u"", u"70.5", u"7:", u" 7", u"-", u"2147483648"})
        EXPECT_THROW(toInt(bad), DataError) << QString::fromUtf16(bad).toStdString();
}

TEST(Checked, TheQuickDecimalReaderAgreesWithTheGeneralOne) {
    // Every level text of the device's form, and a few longer ones, read to the same double.
    for (int v = 0; v <= 9999; ++v) {
        const QString text = QString::asprintf("%03d.%d", v / 10, v % 10);
        ASSERT_EQ(levelValue(text), QLocale::c().toDouble(text)) << text.toStdString();
    }
    for (const char* text : {"0.1", "123456.789", "-12.25", "1.", ".5", "99999999999.9999"})
        EXPECT_EQ(levelValue(QString::fromLatin1(text)), QLocale::c().toDouble(QString::fromLatin1(text)))
            << text;
}
