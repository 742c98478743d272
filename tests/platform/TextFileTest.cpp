#include "platform/TextFile.h"
#include "common/Errors.h"
#include "settings/SettingsFile.h"

#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

using namespace moravel;
using moravel::platform::decodeLines;

TEST(TextFile, ByteOrderMarksDecideTheEncoding) {
    const QString text = QStringLiteral("現場名,\r\nWEEK,1111100\r\n");
    const QStringList expected = {QStringLiteral("現場名,"), QStringLiteral("WEEK,1111100")};
    EXPECT_EQ(decodeLines(QByteArray("\xEF\xBB\xBF") + text.toUtf8()), expected);
    QByteArray le("\xFF\xFE", 2);
    le.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    EXPECT_EQ(decodeLines(le), expected);
    QByteArray be("\xFE\xFF", 2);
    for (QChar c : text) {
        be.append(static_cast<char>(c.unicode() >> 8));
        be.append(static_cast<char>(c.unicode() & 0xFF));
    }
    EXPECT_EQ(decodeLines(be), expected);
    // No mark: code page 932.
    EXPECT_EQ(decodeLines(QByteArray("\x8C\xBB\x8F\xEA\x96\xBC,\r\nWEEK,1111100\r\n")), expected);
}

TEST(TextFile, LineEnds) {
    EXPECT_EQ(decodeLines("a\r\nb\rc\nd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(decodeLines("a\r\n"), QStringList{"a"});
    EXPECT_EQ(decodeLines("a\r\n\r\n"), (QStringList{"a", ""}));
    EXPECT_EQ(decodeLines("\n\n"), (QStringList{"", ""}));
    EXPECT_EQ(decodeLines(""), QStringList{});
}

TEST(TextFile, BrokenUnicodeIsAnErrorButBrokenCodePage932IsNot) {
    EXPECT_THROW(decodeLines(QByteArray("\xEF\xBB\xBF"
                                        "ab\xFF")),
                 DataError);
    EXPECT_THROW(decodeLines(QByteArray("\xFF\xFE"
                                        "a",
                                        3)),
                 DataError);
    // UTF-16 with half a surrogate pair (a high one before a line feed, a low one alone).
    EXPECT_THROW(decodeLines(QByteArray("\xFE\xFF\xD9\x07\x00\x0A", 6)), DataError);
    EXPECT_THROW(decodeLines(QByteArray("\xFF\xFE\x00\xDC", 4)), DataError);
    EXPECT_EQ(decodeLines(QByteArray("\xFE\xFF\xD8\x3D\xDE\x00", 6)), QStringList{QStringLiteral("😀")});
    const QStringList lines = decodeLines(QByteArray("ab\x81\r\ncd"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], "cd");
    // A byte of no character reads as the control character DEL on every system (which the settings
    // check refuses), never as a character that would be written back (Windows' default character
    // ・): a lead byte before a space, a byte that starts nothing. What follows is read as it stands.
    const QChar bad(0x7F);
    EXPECT_EQ(moravel::platform::decodeCp932Line("A\x81 B\x82\xA0"),
              QStringLiteral("A") + bad + " B" + QChar(0x3042));
    EXPECT_EQ(moravel::platform::decodeCp932Line("\xA0x"), QString(bad) + "x");
}

TEST(TextFile, WritesCodePage932WithCrLfAndNoMarkAndNeverAQuestionMark) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("MORVEL.TXT");
    platform::writeLines(path, {QStringLiteral("現場名,"), QStringLiteral("〜−"), QString()});
    EXPECT_EQ(test::readBytes(path), QByteArray("\x8C\xBB\x8F\xEA\x96\xBC,\r\n\x81\x60\x81\x7C\r\n\r\n"));
    // A character the code page has no place for, or half of a surrogate pair: refused, naming the
    // line and the character, and the file stays as it was.
    struct Case {
        QString line, said;
    };
    for (const Case& c : {Case{QStringLiteral("a😀"), QStringLiteral("「😀」")},
                          Case{QStringLiteral("a") + QChar(0xD907), QStringLiteral("「U+D907」")},
                          Case{QString(QChar(0xDC00)) + "b", QStringLiteral("「U+DC00」")}}) {
        try {
            platform::writeLines(path, {QStringLiteral("x"), c.line});
            FAIL() << "written";
        } catch (const DataError& e) {
            EXPECT_EQ(e.text(), QStringLiteral("2行目に設定ファイルに書けない文字") + c.said +
                                    QStringLiteral("が含まれています"));
        }
        EXPECT_EQ(test::readBytes(path), QByteArray("\x8C\xBB\x8F\xEA\x96\xBC,\r\n\x81\x60\x81\x7C\r\n\r\n"));
    }
}

TEST(TextFile, ALineThatDidNotChangeKeepsItsBytes) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("MORVEL.TXT");
    // ED40 is the NEC-selected form of a character whose code page form is FA5C; a control code and
    // an undecodable byte in another line.
    const QByteArray original("\xED\x40,\r\nold\x01\r\n\x81\r\nsame\r\n");
    test::writeBytes(path, original);
    QStringList lines = platform::readLines(path);
    ASSERT_EQ(lines.size(), 4);
    lines[3] = QStringLiteral("changed");
    platform::writeLines(path, lines, original);
    EXPECT_EQ(test::readBytes(path), QByteArray("\xED\x40,\r\nold\x01\r\n\x81\r\nchanged\r\n"));
    // Without the old bytes, the code page's own form.
    platform::writeLines(path, {lines[0]});
    EXPECT_EQ(test::readBytes(path), QByteArray("\xFA\x5C,\r\n"));
    // A file with a byte order mark has no bytes to keep.
    EXPECT_EQ(platform::keptLines({"a"}, QByteArray("\xEF\xBB\xBF"
                                                    "a\r\n")),
              std::vector<bool>{false});
}

TEST(TextFile, AFailedWriteLeavesTheOldFile) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("MORVEL.TXT");
    test::writeBytes(path, "old\r\n");
    // A target inside a missing directory cannot be written.
    EXPECT_THROW(platform::writeLines(tmp.filePath("gone/MORVEL.TXT"), {"x"}), DataError);
    {
        platform::TextWriter w(path);
        w.writeLine(u"new");
        // Dropped without commit: the old file stays.
    }
    EXPECT_EQ(test::readBytes(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"MORVEL.TXT"});
    try {
        platform::readLines(tmp.filePath("none.LAC"));
        FAIL();
    } catch (const DataError& e) {
        EXPECT_TRUE(e.text().endsWith(QStringLiteral("を読み込めません。")));
    }
}

TEST(TextFile, ControlCodesKeepTheirNumbersInCodePage932) {
    // The system's code page 932 keeps every byte below 0x80; ICU's exchanges 0x1A, 0x1C and 0x7F.
    const QByteArray bytes("\x1A\x1C\x7F\x8C\xBB\r\n\x1A\x1C\x7F\r\n");
    const QStringList lines = decodeLines(bytes);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QString::fromUtf16(u"\x1A\x1C\x7F現"));
    EXPECT_EQ(lines[1], QString::fromUtf16(u"\x1A\x1C\x7F"));
    EXPECT_EQ(platform::encodeCp932(lines[0]), QByteArray("\x1A\x1C\x7F\x8C\xBB"));
}

TEST(TextFile, CharactersOfInputMethodsAreWrittenAsTheSystemWritesThem) {
    // The forms Linux input methods write for ordinary Japanese text, which ICU's table lacks: the
    // bytes glibc's iconv CP932 gives.
    const struct {
        const char16_t* text;
        QByteArray bytes;
    } cases[] = {
        {u"〜", QByteArray::fromHex("8160")},
        {u"−", QByteArray::fromHex("817c")},
        {u"‖", QByteArray::fromHex("8161")},
        {u"¢", QByteArray::fromHex("8191")},
        {u"£", QByteArray::fromHex("8192")},
        {u"¬", QByteArray::fromHex("81ca")},
        {u"—", QByteArray::fromHex("815c")},
        {u"～", QByteArray::fromHex("8160")}, // ICU's own form stays
        {u"8時〜18時", QByteArray::fromHex("388e9e816031388e9e")},
        {u"現場A", QByteArray::fromHex("8cbb8fea41")},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(moravel::platform::encodeCp932(text), c.bytes) << text.toStdString();
        EXPECT_FALSE(moravel::platform::firstUnwritableInCp932(text)) << text.toStdString();
    }
    // What code page 932 has no place for is found, and written as "?" where it is written at all.
    EXPECT_EQ(moravel::platform::firstUnwritableInCp932(QString::fromUtf16(u"𠮷野家")),
              QString::fromUtf16(u"𠮷"));
    EXPECT_EQ(moravel::platform::firstUnwritableInCp932(QString::fromUtf16(u"現場\uFFFD")),
              QString(QChar(0xFFFD)));
    EXPECT_EQ(moravel::platform::encodeCp932(QString::fromUtf16(u"A😀B")), QByteArray("A?B"));
}

TEST(TextFile, TheSettingsCheckRefusesWhatTheFileCannotHold) {
    const struct {
        QString text;
        QStringList messages;
    } cases[] = {
        {QStringLiteral("A\nB"), {QStringLiteral("現場名に改行やタブなどの制御文字が含まれています")}},
        {QStringLiteral("A\r\nB"), {QStringLiteral("現場名に改行やタブなどの制御文字が含まれています")}},
        {QStringLiteral("A\tB"), {QStringLiteral("現場名に改行やタブなどの制御文字が含まれています")}},
        {QString::fromUtf16(u"吉野家🍚"),
         {QString::fromUtf16(u"現場名に設定ファイルに書けない文字「🍚」が含まれています")}},
        {QString::fromUtf16(u"8時〜18時"), {}},
    };
    for (const auto& c : cases) {
        QStringList messages;
        moravel::settings::characterCheck(c.text, QStringLiteral("現場名"), messages);
        EXPECT_EQ(messages, c.messages) << c.text.toStdString();
    }
}

// Code page 932 as the system converts it, on Linux (ICU and glibc) and on Windows (the system's own
// table): every double-byte code is read, and the characters that write back to the same code, and
// those that write back to the other code of a duplicated character (NEC's and IBM's), are the same
// on both systems. Their digests are fixed here, so that both builds check the same table.
TEST(TextFile, CodePage932IsTheSameTableOnEverySystem) {
    QCryptographicHash same(QCryptographicHash::Sha256), other(QCryptographicHash::Sha256);
    int sameCount = 0, otherCount = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const char code[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const QString text = moravel::platform::decodeCp932Line(QByteArrayView(code, 2));
            // A code of no character reads as a substitute: U+FFFD on Linux, the code page's default
            // character ・ (U+30FB, itself 0x8145) on Windows.
            if (text.size() != 1 || text[0].unicode() == 0xFFFD || text[0].unicode() < 0x80 ||
                (text[0].unicode() == 0x30FB && (lead != 0x81 || trail != 0x45)))
                continue;
            const QByteArray back = moravel::platform::encodeCp932(text);
            const QByteArray entry = QByteArray(code, 2) + text.toUtf8() + back;
            if (back == QByteArray(code, 2)) {
                same.addData(entry);
                ++sameCount;
            } else if (back.size() == 2) {
                other.addData(entry);
                ++otherCount;
            }
        }
    }
    EXPECT_EQ(sameCount, 9206);
    EXPECT_EQ(same.result().toHex(), "81d76536dbbc1e521c852e29c80f15bb3d8c7f55e214be89c5429ac1f251b34a");
    EXPECT_EQ(otherCount, 398);
    EXPECT_EQ(other.result().toHex(), "efa22033e1f5727673ad317a0ad0cf29565a9f24bdb1bc5726f17ab66457bf8e");
    // The one character where the two tables part: 0x8160 is read as ～ U+FF5E on both, and the JIS
    // form 〜 U+301C (what Linux input methods write) is written as 0x8160 on both.
    EXPECT_EQ(moravel::platform::decodeCp932Line("\x81\x60"), QString(QChar(0xFF5E)));
    EXPECT_EQ(moravel::platform::encodeCp932(QString(QChar(0x301C))), QByteArray("\x81\x60"));
}
