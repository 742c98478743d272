#include "settings/SettingsFile.h"

#include "TestSupport.h"

#include "platform/TextFile.h"

using namespace moravel::settings;

namespace {

std::array<QString, 11> sampleItems() {
    return {QStringLiteral("中央区立体駐車場"),
            QStringLiteral("日本橋"),
            QStringLiteral("東側"),
            QStringLiteral("西側"),
            QStringLiteral("特定建設作業"),
            QStringLiteral("振動規制"),
            QStringLiteral("夜間なし"),
            QStringLiteral("環境測定"),
            QStringLiteral("山田"),
            QStringLiteral("85"),
            QStringLiteral("70")};
}

QStringList goodFile() {
    return settingsFileLines({sampleItems(), "1111100", "07", "30", "18", "00"});
}

} // namespace

TEST(SettingsFile, WritesSixteenLinesInCodePage932) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("MORVEL.TXT");
    moravel::platform::writeLines(path, goodFile());
    const QString expected = QStringLiteral(
        "中央区立体駐車場,\r\n日本橋,\r\n東側,\r\n東側,\r\n特定建設作業,\r\n振動規制,\r\n夜間なし,"
        "\r\n環境測定,\r\n山田,\r\n"
        "S-ALA,85\r\nS-ALMODE,0\r\nV-ALA,70\r\nV-ALMODE,0\r\nWEEK,1111100\r\nSTART,07:30\r\nSTOP,18:00\r\n");
    EXPECT_EQ(moravel::test::readBytes(path), moravel::platform::encodeCp932(expected));
}

TEST(SettingsFile, AWrittenFileReadsBack) {
    const SettingsContent c = parseSettingsFile(goodFile());
    EXPECT_FALSE(c.corrupt);
    std::array<QString, 11> expected = sampleItems();
    expected[3] = expected[2]; // line 4 repeats the position; the hidden box is filled from line 3
    EXPECT_EQ(c.items, expected);
    EXPECT_EQ(c.week, (std::array<bool, 7>{true, true, true, true, true, false, false}));
    EXPECT_EQ(c.startHour, 7);
    EXPECT_EQ(c.stopHour, 18);
}

TEST(SettingsFile, ItemCommasAndKeys) {
    std::array<QString, 11> items = sampleItems();
    items[0] = "A,B";
    QStringList lines = settingsFileLines({items, "0000000", "00", "00", "00", "00"});
    EXPECT_EQ(lines[0], "A,B,");
    lines[9] = "S-ALA,S-ALA,40";
    const SettingsContent c = parseSettingsFile(lines);
    EXPECT_EQ(c.items[0], "AB");
    EXPECT_EQ(c.items[9], "40");
}

TEST(SettingsFile, CorruptFiles) {
    struct Case {
        const char* name;
        std::function<void(QStringList&)> edit;
        std::optional<int> startHour;
    };
    const Case cases[] = {
        {"fewer than sixteen lines", [](QStringList& l) { l = l.mid(0, 15); }, std::nullopt},
        {"an empty line after STOP", [](QStringList& l) { l.append(QString()); }, std::nullopt},
        {"six weekday flags", [](QStringList& l) { l[13] = "WEEK,111110"; }, std::nullopt},
        {"eight weekday flags", [](QStringList& l) { l[13] = "WEEK,11111000"; }, std::nullopt},
        {"a weekday flag of 2", [](QStringList& l) { l[13] = "WEEK,1112100"; }, std::nullopt},
        {"a one-digit start hour", [](QStringList& l) { l[14] = "START,7:30"; }, std::nullopt},
        {"a start hour of 24", [](QStringList& l) { l[14] = "START,24:00"; }, std::nullopt},
        {"a stop hour that is no number", [](QStringList& l) { l[15] = "STOP,x8:00"; }, 7},
        {"no WEEK key", [](QStringList& l) { l[13] = "WAAK,1111100"; }, std::nullopt},
    };
    for (const Case& c : cases) {
        QStringList lines = goodFile();
        c.edit(lines);
        const SettingsContent r = parseSettingsFile(lines);
        EXPECT_TRUE(r.corrupt) << c.name;
        EXPECT_EQ(r.startHour, c.startHour) << c.name;
    }
    // Lines after the sixteenth are accepted when the last holds "STOP"; the stop hour is line 16's.
    QStringList longer = goodFile();
    longer << "extra"
           << "STOP,23:00";
    const SettingsContent r = parseSettingsFile(longer);
    EXPECT_FALSE(r.corrupt);
    EXPECT_EQ(r.stopHour, 18);
}

TEST(SettingsFile, Checks) {
    struct Case {
        int index;
        QString text;
        QStringList messages;
    };
    const QString target = QStringLiteral("現場名");
    const QString noise = QStringLiteral("騒音基準値");
    const Case cases[] = {
        {0, QString(16, u'あ'), {}},
        {0, QString(17, u'あ'), {QStringLiteral("現場名の文字数が16文字を超えています。")}},
        {6, QString(40, u'x'), {}},
        {6, QString(41, u'x'), {QStringLiteral("現場名の文字数が40文字を超えています。")}},
        {9,
         "1000",
         {QStringLiteral("騒音基準値の文字数が3文字を超えています。"),
          QStringLiteral("騒音基準値に99以上の数値が記入されています")}},
        {9, "-5", {QStringLiteral("騒音基準値に0以下の数値が記入されています")}},
        {9, "100", {QStringLiteral("騒音基準値に99以上の数値が記入されています")}},
        {9, "", {QStringLiteral("騒音基準値に数値が記入されていません")}},
        {9, "1.5", {QStringLiteral("騒音基準値に整数以外の数値、または文字列が記入されています")}},
        {9,
         "12.5",
         {QStringLiteral("騒音基準値の文字数が3文字を超えています。"),
          QStringLiteral("騒音基準値に整数以外の数値、または文字列が記入されています")}},
        {9, "0", {}},
        {9, "99", {}},
    };
    for (const Case& c : cases) {
        QStringList messages;
        const QString label = c.index == 9 ? noise : target;
        lengthCheck(itemLengths()[c.index], c.text, messages, label);
        if (c.index == 9)
            numberCheck(c.text, label, messages);
        EXPECT_EQ(messages, c.messages) << c.text.toStdString();
    }
}
