#include "export/Csv.h"

#include "common/Errors.h"
#include "platform/TextFile.h"

#include "TestSupport.h"

using namespace moravel::csv;
using moravel::platform::encodeCp932;
using moravel::test::dataRow;
using moravel::test::dayFile;

namespace {

QByteArray rows(const QStringList& lines) {
    return encodeCp932(lines.join("\r\n") + "\r\n");
}

QStringList headerRows(const QString& weekRow) {
    return {QStringLiteral("現場名,中央区立体駐車場新築工事,"),
            QStringLiteral("測定場所,東京都中央区日本橋１丁目,"),
            QStringLiteral("測定位置,敷地境界東側,"),
            QStringLiteral("規制基準・騒音S,特定建設作業,"),
            QStringLiteral("規制基準・騒音V,特定建設作業,"),
            QStringLiteral("特記事項,重機稼働は８時から１８時まで。夜間作業なし。,"),
            QStringLiteral("測定機関,株式会社環境測定サービス,"),
            QStringLiteral("測定者,山田　太郎,"),
            "S-ALA,85",
            "S-ALMODE,0",
            "V-ALA,75",
            "V-ALMODE,0",
            weekRow,
            QStringLiteral("LED起動時間,08:00"),
            QStringLiteral("LED停止時間,18:00"),
            ""};
}

} // namespace

TEST(SummaryCsv, ASingleDayNoiseFile) {
    const QStringList lines =
        dayFile({"2021/03/01 00:00,055.3,083.1,060.0,058.2,050.5,045.0,044.1,040.2,070.9",
                 "2021/3/1 0:10,---.-,083.1,060.0,058.2,050.5,045.0,044.1,040.2,070.9"});
    QStringList expected = headerRows(QStringLiteral("施工曜日,月火水木金"));
    expected << QStringLiteral("日付,騒音レベル(dB)") << ",Leq,Le,L05,L10,L50,L90,L95,Lmin,Lmax,"
             << "2021/03/01 00:00:00,055.3,083.1,060.0,058.2,050.5,045.0,044.1,040.2,070.9"
             << "2021/03/01 00:10:00,---.-,083.1,060.0,058.2,050.5,045.0,044.1,040.2,070.9";
    EXPECT_EQ(summaryCsv(lines, Headings::Noise), rows(expected));
    const QByteArray vibration = summaryCsv(lines, Headings::Vibration);
    EXPECT_TRUE(vibration.contains(encodeCp932(QStringLiteral("\r\n日付,振動レベル(dB)\r\n"))));
}

TEST(SummaryCsv, WeekdayRowsAndKeysInItemTexts) {
    CsvText out;
    convertHeaderLine("WEEK,0000011", 13, Headings::Noise, out);
    convertHeaderLine("WEEK,0000000", 13, Headings::Noise, out);
    convertHeaderLine(QStringLiteral("START地区,"), 0, Headings::Noise, out); // a site name holding a key
    EXPECT_EQ(out.bytes(), rows({QStringLiteral("施工曜日,土日"), QStringLiteral("施工曜日,"),
                                 QStringLiteral("LED起動時間,")}));
}

TEST(SummaryCsv, AnItemLineWithAColonIsTakenForADataLineAndFails) {
    QStringList lines = dayFile({dataRow("2021/03/01", 0, 0, "050.0")});
    lines[0] = "A:B,";
    EXPECT_THROW(summaryCsv(lines, Headings::Noise), moravel::DataError);
}

TEST(CombinedCsv, PairsLinesByPosition) {
    const QStringList lac =
        dayFile({dataRow("2021/03/01", 0, 0, "055.0"), dataRow("2021/03/01", 0, 10, "056.0")});
    const QStringList lvc =
        dayFile({dataRow("2021/03/01", 0, 0, "035.0"), dataRow("2021/03/01", 0, 20, "036.0")});
    QStringList expected = headerRows(QStringLiteral("施工曜日,月火水木金"));
    expected << QStringLiteral("日付,騒音レベル(dB),,,,,,,,,振動レベル(dB),")
             << ",Leq,Le,L05,L10,L50,L90,L95,Lmin,Lmax,Leq,Le,L05,L10,L50,L90,L95,Lmin,Lmax";
    QString row1 = "2021/03/01 00:00:00", row2 = "2021/03/01 00:10:00";
    for (int i = 0; i < 9; ++i) {
        row1 += ",055.0";
        row2 += ",056.0";
    }
    for (int i = 0; i < 9; ++i) {
        row1 += ",035.0";
        row2 += ",036.0"; // paired by position, not by time
    }
    expected << row1 << row2;
    EXPECT_EQ(combinedCsv(lac, lvc), rows(expected));
    EXPECT_EQ(row1.count(u','), 18);
    EXPECT_THROW(combinedCsv(lac, lvc.mid(0, 18)), moravel::DataError);
}

TEST(RawCsv, OneRowPerSecond) {
    QString yearEnd = "2021/12/31 23:59";
    for (int k = 0; k < 62; ++k)
        yearEnd += QStringLiteral(",%1").arg(k, 3, 10, QLatin1Char('0'));
    QStringList lines = dayFile({"2021/03/01 10:00,055.3,055.4,055.5", yearEnd, "2021/03/01 7:5,042.0,042.1",
                                 "2021/13/01 00:00,099.9"},
                                "0000011");
    lines[1] = "A:B,"; // an item line with a colon is taken for a data line and dropped without a message
    // The header rows without the dropped place row; the STOP row is followed by one empty row and
    // no heading rows.
    QStringList expected = headerRows(QStringLiteral("施工曜日,土日"));
    expected.removeAt(1);
    expected << "2021/03/01 10:00:00,055.3"
             << "2021/03/01 10:00:01,055.4"
             << "2021/03/01 10:00:02,055.5";
    for (int k = 0; k < 60; ++k)
        expected << QStringLiteral("2021/12/31 23:59:%1,%2")
                        .arg(k, 2, 10, QLatin1Char('0'))
                        .arg(k, 3, 10, QLatin1Char('0'));
    expected << "2022/01/01 00:00:00,060"
             << "2022/01/01 00:00:01,061";
    // "7:5" is shorter than five characters: 00:00 of its date. The 13th month cannot be read.
    expected << "2021/03/01 00:00:00,042.0"
             << "2021/03/01 00:00:01,042.1";
    EXPECT_EQ(rawCsv(lines), rows(expected));
}

TEST(RawCsv, AnIntervalKeepsTheHeaderAndTheRowsOfItsSecondsOfTheDay) {
    const QStringList lines =
        dayFile({"2021/03/01 10:39:58,055.0,055.1,---.-,055.3", "2021/03/01 10:40:01,056.0",
                 "2021/03/02 10:40:00,099.9", "2021/03/01 23:59:59,057.0,057.1"},
                "0000011");
    const QByteArray all = rawCsv(lines);
    const QByteArray bytes = moravel::platform::encodeCp932(lines.join("\r\n") + "\r\n");
    QStringList expected = headerRows(QStringLiteral("施工曜日,土日"));
    // [10:40:00, 10:40:02): the gap's row and both rows of the overlapping second stay as the
    // conversion writes them; 10:40:02 and the other day's rows are left out.
    expected << "2021/03/01 10:40:00,---.-"
             << "2021/03/01 10:40:01,055.3"
             << "2021/03/01 10:40:01,056.0";
    EXPECT_EQ(rawIntervalCsv(bytes, QDate(2021, 3, 1), 38400, 38402), rows(expected));
    // The whole day: every row of the conversion but those of other dates.
    QByteArray day = all;
    day.replace("2021/03/02 10:40:00,099.9\r\n", "");
    day.replace("2021/03/02 00:00:00,057.1\r\n", "");
    EXPECT_EQ(rawIntervalCsv(bytes, QDate(2021, 3, 1), 0, 86400), day);
}

TEST(PeriodCsv, ThreeDaysWithANonConstructionDay) {
    moravel::data::DailyMaxima la, lv;
    for (int i = 0; i < 9; ++i)
        for (int d = 0; d < 3; ++d) {
            la[i][d] = d == 2 ? "0" : QString::number(60 + i);
            lv[i][d] = d == 2 ? "0" : QString::number(40 + i);
        }
    PeriodInputs in;
    in.page.items[moravel::MeasTarget] = QStringLiteral("現場");
    in.page.date = QStringLiteral("2021年03月05日~2021年03月07日");
    in.page.items[moravel::ReferenceS] = "85";
    in.page.items[moravel::ReferenceV] = "75";
    in.page.ledStart = "08:00";
    in.page.ledStop = "18:00";
    in.page.week = {true, true, true, true, true, true, false};
    in.dayTexts = {QStringLiteral("2021年03月05日"), QStringLiteral("2021年03月06日"),
                   QStringLiteral("2021年03月07日")};
    in.la = &la;
    in.lv = &lv;
    const QStringList expected = {
        QStringLiteral("現場名,現場"),
        QStringLiteral("測定場所,"),
        QStringLiteral("測定位置,"),
        QStringLiteral("測定期間,2021年03月05日~2021年03月07日"),
        QStringLiteral("規制基準・騒音S,"),
        QStringLiteral("規制基準・騒音V,"),
        QStringLiteral("特記事項,"),
        QStringLiteral("測定機関,"),
        QStringLiteral("測定者,"),
        "S-ALA,85",
        "V-ALA,75",
        QStringLiteral("施工曜日,月火水木金土"),
        QStringLiteral("LED起動時間,08:00"),
        QStringLiteral("LED停止時間,18:00"),
        "",
        QStringLiteral("日付,騒音レベル(dB),,,,,,,,,振動レベル(dB),"),
        ",Leq,Le,L05,L10,L50,L90,L95,Lmin,Lmax,Leq,Le,L05,L10,L50,L90,L95,Lmin,Lmax,",
        QStringLiteral("2021年03月05日(金),60,61,62,63,64,65,66,67,68,40,41,42,43,44,45,46,47,48"),
        QStringLiteral("2021年03月06日(土),60,61,62,63,64,65,66,67,68,40,41,42,43,44,45,46,47,48"),
        QStringLiteral("2021年03月07日(日),0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0")};
    EXPECT_EQ(periodCsv(in), rows(expected));
}

TEST(Listing, SortedAsTextIgnoringCase) {
    QStringList paths = {"/c/20210302.LAC", "/c/20210301.lvc", "/c/20210301.LAC", "/c/MORVEL.TXT",
                         "/c/abc.LA"};
    fileListSort(paths);
    EXPECT_EQ(paths, (QStringList{"/c/20210301.LAC", "/c/20210301.lvc", "/c/20210302.LAC", "/c/abc.LA",
                                  "/c/MORVEL.TXT"}));
}

TEST(RawCsv, FromBytesAsFromLines) {
    // Plain ASCII lines, a line of other bytes, quotes, CR-only line ends, a NUL and a trailing break.
    const QByteArray cases[] = {
        moravel::platform::encodeCp932(dayFile({"2021/03/01 10:00,055.3,055.4"}, "0000011").join("\r\n") +
                                       "\r\n"),
        QByteArray("2021/03/01 10:00,\"05\"\"5\",\"x y\",1\r2021/03/01 0:0,1\n\x8C\xBB:,2\r\n"),
        []() {
            static const char text[] = "2021/03/01 23:59:59,1,2,\0,3\r\nA:B,\r\nSTART,08:00\r\nSTOP,18:00";
            return QByteArray(text, sizeof text - 1); // the NUL inside included
        }(),
        QByteArray("\xEF\xBB\xBF"
                   "2021/03/01 10:00,1,2\r\n"),
        QByteArray(
            "2021/03/01 10:00,1, \r\n2021/03/01 10:00,1,\r\n 2021/03/01  10:00 ,,2 3\r\n2021/03/01 10:00\r\n"
            "2021/03/01 10:00,\r\n2021/03/01,10:00,9\n\n2021/03/01 9:5 , 7"),
        QByteArray(),
    };
    for (const QByteArray& bytes : cases)
        EXPECT_EQ(rawCsvFromBytes(bytes), rawCsv(moravel::platform::decodeLines(bytes)))
            << bytes.toHex().toStdString();
    EXPECT_THROW(rawCsvFromBytes(QByteArray("\xEF\xBB\xBF\xFF")), moravel::DataError);
}

TEST(RawCsv, AWholeDayInChunksAsInOnePiece) {
    moravel::tools::SampleRandom random(3);
    const QStringList lines = moravel::tools::sampleRawFile(
        moravel::tools::sampleSeconds(QDate(2021, 3, 1), moravel::tools::SampleChannel::Noise, "1111100",
                                      random),
        QDate(2021, 3, 1), "1111100");
    const QByteArray bytes = moravel::platform::encodeCp932(lines.join("\r\n") + "\r\n");
    QList<qsizetype> chunks;
    QByteArray streamed;
    rawCsvStream(bytes, [&](QByteArrayView chunk) {
        chunks.append(chunk.size());
        streamed.append(chunk);
    });
    EXPECT_GT(chunks.size(), 4);
    EXPECT_EQ(streamed, rawCsv(lines));
    EXPECT_EQ(streamed.count("\r\n"), 16 + 86400); // 15 header rows, the empty row, the samples
}

TEST(SummaryCsv, ADamagedLineIsQuotedShortWithItsControlCharactersEscaped) {
    const QString line = QStringLiteral("\x1b[2J\a") + QString(5000, u'9') + QStringLiteral(",1,2");
    try {
        summaryDataRow(line);
        FAIL() << "a line without a date was taken";
    } catch (const moravel::DataError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("「\\x1b[2J\\x07") + QString(35, u'9') +
                                QStringLiteral("…」の日付を読み取れません。"));
    }
}
