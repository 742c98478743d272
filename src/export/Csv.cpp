#include "export/Csv.h"

#include "common/Checked.h"
#include "common/DateText.h"
#include "common/Errors.h"
#include "common/Fields.h"
#include "common/LevelStat.h"
#include "common/Text.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace moravel::csv {

QStringList headingRows(Headings headings) {
    // The names of the nine quantities after a comma each: ",Leq,Le,...,Lmax".
    QString names;
    for (const QString& name : levelStatNames())
        names += u',' + name;
    switch (headings) {
    case Headings::Noise:
        return {QStringLiteral("日付,騒音レベル(dB)"), names + u','};
    case Headings::Vibration:
        return {QStringLiteral("日付,振動レベル(dB)"), names + u','};
    case Headings::Combined:
        return {QStringLiteral("日付,騒音レベル(dB),,,,,,,,,振動レベル(dB),"), names + names};
    case Headings::Period:
        return {QStringLiteral("日付,騒音レベル(dB),,,,,,,,,振動レベル(dB),"), names + names + u','};
    case Headings::None:
        break;
    }
    return {};
}

namespace {

inline QStringView midnight(QStringView) {
    return u"00:00";
}
inline QByteArrayView midnight(QByteArrayView) {
    return "00:00";
}

} // namespace

bool isDataLine(QStringView line) {
    return holdsData(line);
}

namespace {

void appendAscii(QByteArray& out, QStringView t) {
    const qsizetype at = out.size();
    out.resize(at + t.size());
    char* p = out.data() + at;
    for (QChar c : t)
        *p++ = static_cast<char>(c.unicode());
}

void appendText(QByteArray& out, QStringView t) {
    if (isAscii(t))
        appendAscii(out, t);
    else
        out.append(platform::encodeCp932(t));
}

QString secondField(const QString& line) {
    return entryAt(splitFields(line), 1, "項目");
}

} // namespace

void CsvText::row(QStringView text) {
    appendText(m_bytes, text);
    m_bytes.append("\r\n", 2);
}

void convertHeaderLine(const QString& line, int index, Headings headings, CsvText& out) {
    if (line.contains(u"WEEK")) {
        QString flags = line;
        flags.remove(QStringLiteral("WEEK,"));
        QString row = QStringLiteral("施工曜日,");
        for (int i = 0; i < 7 && i < flags.size(); ++i)
            if (flags[i] == u'1')
                row += weekdayLetter(i);
        out.row(row);
        return;
    }
    if (line.contains(u"START")) {
        out.row(QStringLiteral("LED起動時間,") + secondField(line));
        return;
    }
    if (line.contains(u"STOP")) {
        out.row(QStringLiteral("LED停止時間,") + secondField(line));
        out.emptyRow();
        for (const QString& h : headingRows(headings))
            out.row(h);
        return;
    }
    static const char* const labels[9] = {"現場名,",   "測定場所,",        "測定位置,",
                                          nullptr,     "規制基準・騒音S,", "規制基準・騒音V,",
                                          "特記事項,", "測定機関,",        "測定者,"};
    if (index >= 0 && index <= 8) {
        if (labels[index])
            out.row(QString::fromUtf8(labels[index]) + line);
        return;
    }
    if (index == 16)
        return;
    out.row(line);
}

QString summaryDataRow(const QString& line) {
    FieldSplitter fields;
    const int count = fields.split(line);
    Stamp stamp;
    if (count < 2 || !readStamp(fields[0].toString() + u' ' + fields[1].toString(), stamp))
        throw DataError(QStringLiteral("「%1」の日付を読み取れません。").arg(excerpt(line)));
    QString row = stamp.text();
    for (int i = 2; i < count; ++i) {
        row += u',';
        row += fields[i];
    }
    return row;
}

QByteArray summaryCsv(const QStringList& lines, Headings headings) {
    CsvText out;
    out.bytes().reserve(lines.size() * 70);
    for (int i = 0; i < lines.size(); ++i) {
        if (isDataLine(lines[i]))
            out.row(summaryDataRow(lines[i]));
        else
            convertHeaderLine(lines[i], i, headings, out);
    }
    return out.bytes();
}

QByteArray combinedCsv(const QStringList& lac, const QStringList& lvc, const QString& lacName,
                       const QString& lvcName) {
    CsvText out;
    FieldSplitter fields;
    for (int i = 0; i < lac.size(); ++i) {
        if (!isDataLine(lac[i])) {
            convertHeaderLine(lac[i], i, Headings::Combined, out);
            continue;
        }
        QString row = inFile(lacName, [&] { return summaryDataRow(lac[i]); });
        row += u',';
        const int count = inFile(lvcName, [&] { return fields.split(lineAt(lvc, i)); });
        for (int k = 2; k < count; ++k) {
            if (k > 2)
                row += u',';
            row += fields[k];
        }
        out.row(row);
    }
    return out.bytes();
}

namespace {

// The next second of a stamp, and its text: within the minute only the seconds' digits change.
void nextSecond(Stamp& stamp, char* text) {
    if (stamp.second < 59) {
        ++stamp.second;
        text[17] = static_cast<char>('0' + stamp.second / 10);
        text[18] = static_cast<char>('0' + stamp.second % 10);
    } else {
        stamp.addSeconds(1);
        stamp.writeAscii(text);
    }
}

void appendSample(QByteArray& bytes, const char* stamp, QStringView sample) {
    if (!isAscii(sample)) {
        bytes.append(stamp, 19);
        bytes.append(',');
        bytes.append(platform::encodeCp932(sample));
        bytes.append("\r\n", 2);
        return;
    }
    const qsizetype at = bytes.size();
    bytes.resize(at + 19 + 1 + sample.size() + 2);
    char* out = bytes.data() + at;
    std::memcpy(out, stamp, 19);
    out += 19;
    *out++ = ',';
    for (QChar c : sample)
        *out++ = static_cast<char>(c.unicode());
    *out++ = '\r';
    *out = '\n';
}

void appendSample(QByteArray& bytes, const char* stamp, QByteArrayView sample) {
    const qsizetype at = bytes.size();
    bytes.resize(at + 19 + 1 + sample.size() + 2);
    char* out = bytes.data() + at;
    std::memcpy(out, stamp, 19);
    out += 19;
    *out++ = ',';
    std::memcpy(out, sample.data(), static_cast<size_t>(sample.size()));
    out += sample.size();
    *out++ = '\r';
    *out = '\n';
}

// One line of a raw level file: a data line becomes one row per sample, one second apart from the
// line's time (a time of fewer than five characters read as 00:00); a line whose date and time
// cannot be read is dropped; every other line goes through the header conversion. The rows are
// made in a byte buffer: the date and time are written once and then counted up second by second.
template <class Splitter, class View>
void rawLine(View line, int index, Splitter& fields, CsvText& out, const std::function<QString()>& asText) {
    if (!holdsData(line)) {
        convertHeaderLine(asText(), index, Headings::None, out);
        return;
    }
    const int count = fields.split(line);
    if (count < 3)
        return;
    Stamp stamp;
    const bool read = fields[1].size() < 5 ? readStamp(fields[0], midnight(line), stamp)
                                           : readStamp(fields[0], fields[1], stamp);
    if (!read)
        return;
    QByteArray& bytes = out.bytes();
    char text[19];
    stamp.writeAscii(text);
    for (int p = 2; p < count; ++p) {
        if (p > 2)
            nextSecond(stamp, text);
        appendSample(bytes, text, fields[p]);
    }
}

} // namespace

QByteArray rawCsv(const QStringList& lines) {
    CsvText out;
    out.bytes().reserve(lines.size() * 60 * 28);
    FieldSplitter fields;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        rawLine(QStringView(line), i, fields, out, [&] { return line; });
    }
    return out.bytes();
}

namespace {

inline bool blankByte(char c) {
    return static_cast<unsigned char>(c) >= 1 && static_cast<unsigned char>(c) <= 32;
}

bool containsST(const char* p, qsizetype n) {
    const char* end = p + n;
    while (const char* s = static_cast<const char*>(std::memchr(p, 'S', static_cast<size_t>(end - p)))) {
        if (s + 1 < end && s[1] == 'T')
            return true;
        p = s + 1;
    }
    return false;
}

// Bytes that end a field: the blanks and the comma.
struct FieldEnds {
    bool at[256] = {};
    FieldEnds() {
        for (int c = 1; c <= 32; ++c)
            at[c] = true;
        at[static_cast<unsigned char>(',')] = true;
    }
};
const FieldEnds& fieldEnds() {
    static const FieldEnds ends;
    return ends;
}

// A data line of plain ASCII without quotes and without NUL, its rows written straight from its
// bytes: the fields are found by the comma rule as the splitter finds them, one at a time.
// Returns false for a line it does not take (the caller converts it the general way).
bool simpleRawLine(QByteArray& bytes, const char* s, qsizetype n) {
    if (std::memchr(s, '"', static_cast<size_t>(n)) || std::memchr(s, '\0', static_cast<size_t>(n)))
        return false;
    qsizetype p = 0;
    const bool* ends = fieldEnds().at;
    // The field at p: [begin, end); p moves past its separator. Returns whether another field
    // follows: after blanks, after a comma with more text, or after a comma that ends the line (its
    // empty field).
    auto next = [&](qsizetype& begin, qsizetype& end) {
        begin = p;
        while (p < n && !ends[static_cast<unsigned char>(s[p])])
            ++p;
        end = p;
        while (p < n && blankByte(s[p]))
            ++p;
        if (p < n && s[p] == ',') {
            ++p;
            if (p == n)
                return true;
            while (p < n && blankByte(s[p]))
                ++p;
        }
        return p < n;
    };
    while (p < n && blankByte(s[p]))
        ++p;
    if (p >= n)
        return true; // no field
    qsizetype b0, e0, b1, e1;
    if (!next(b0, e0) || !next(b1, e1))
        return true; // fewer than three fields
    Stamp stamp;
    const QByteArrayView date(s + b0, e0 - b0);
    const QByteArrayView time = e1 - b1 < 5 ? QByteArrayView("00:00") : QByteArrayView(s + b1, e1 - b1);
    if (!readStamp(date, time, stamp))
        return true; // an unreadable date or time drops the line's samples
    char text[19];
    stamp.writeAscii(text);
    // Room for every row the rest of the line can hold; cut to what was written at the end.
    const qsizetype at = bytes.size();
    bytes.resize(at + (n - p + 1) * 23);
    char* out = bytes.data() + at;
    bool more = true;
    bool first = true;
    while (more) {
        qsizetype begin, end;
        more = next(begin, end);
        if (!first)
            nextSecond(stamp, text);
        first = false;
        std::memcpy(out, text, 19);
        out[19] = ',';
        out += 20;
        for (qsizetype i = begin; i < end; ++i)
            *out++ = s[i];
        out[0] = '\r';
        out[1] = '\n';
        out += 2;
    }
    bytes.resize(out - bytes.constData());
    return true;
}

} // namespace

QByteArray rawCsvFromBytes(const QByteArray& bytes) {
    QByteArray all;
    all.reserve(bytes.size() * 5);
    rawCsvStream(bytes, [&](QByteArrayView chunk) { all.append(chunk); });
    return all;
}

void rawCsvStream(const QByteArray& bytes, const std::function<void(QByteArrayView)>& sink) {
    if (platform::hasByteOrderMark(bytes)) {
        sink(rawCsv(platform::decodeLines(bytes)));
        return;
    }
    // The rows go out in chunks small enough to stay in the processor's cache until written.
    constexpr qsizetype Chunk = 256 * 1024;
    CsvText out;
    out.bytes().reserve(Chunk + 64 * 1024);
    ByteFieldSplitter byteFields;
    FieldSplitter textFields;
    const char* d = bytes.constData();
    const qsizetype n = bytes.size();
    int index = 0;
    // Lines of plain ASCII are converted as bytes, any other line as the text it decodes to.
    auto line = [&](qsizetype start, qsizetype end) {
        const QByteArrayView bytesOfLine(d + start, end - start);
        if (isAscii(bytesOfLine)) {
            const bool data = std::memchr(d + start, ':', static_cast<size_t>(end - start)) &&
                              !containsST(d + start, end - start);
            if (!data || !simpleRawLine(out.bytes(), d + start, end - start))
                rawLine(bytesOfLine, index, byteFields, out,
                        [&] { return QString::fromLatin1(bytesOfLine); });
        } else {
            const QString text = platform::decodeCp932Line(bytesOfLine);
            rawLine(QStringView(text), index, textFields, out, [&] { return text; });
        }
        ++index;
        if (out.bytes().size() >= Chunk) {
            sink(out.bytes());
            out.bytes().resize(0);
        }
    };
    // Lines end at CR LF, CR or LF, as decodeLines reads them.
    qsizetype start = 0;
    while (start < n) {
        const char* lf =
            static_cast<const char*>(std::memchr(d + start, '\n', static_cast<size_t>(n - start)));
        const qsizetype lfAt = lf ? lf - d : n;
        const char* cr =
            static_cast<const char*>(std::memchr(d + start, '\r', static_cast<size_t>(lfAt - start)));
        if (cr) {
            const qsizetype crAt = cr - d;
            line(start, crAt);
            start = crAt + 1 < n && d[crAt + 1] == '\n' ? crAt + 2 : crAt + 1;
        } else if (lf) {
            line(start, lfAt);
            start = lfAt + 1;
        } else {
            line(start, n);
            start = n;
        }
    }
    if (!out.bytes().isEmpty())
        sink(out.bytes());
}

QByteArray rawIntervalCsv(const QByteArray& bytes, const QDate& day, int first, int last) {
    const QByteArray date = day.toString(QStringLiteral("yyyy/MM/dd")).toLatin1();
    QByteArray kept;
    rawCsvStream(bytes, [&](QByteArrayView chunk) {
        // A sample's row begins with its date and time, "yyyy/mm/dd hh:mm:ss,"; every other row is
        // the header's.
        qsizetype start = 0;
        while (start < chunk.size()) {
            qsizetype end = chunk.indexOf(QByteArrayView("\r\n"), start);
            end = end < 0 ? chunk.size() : end + 2;
            const QByteArrayView row = chunk.sliced(start, end - start);
            start = end;
            const bool sample = row.size() > 20 && row[4] == '/' && row[7] == '/' && row[10] == ' ' &&
                                row[13] == ':' && row[16] == ':' && row[19] == ',';
            if (sample) {
                if (row.first(10) != date)
                    continue;
                const int second = ((row[11] - '0') * 10 + (row[12] - '0')) * 3600 +
                                   ((row[14] - '0') * 10 + (row[15] - '0')) * 60 + (row[17] - '0') * 10 +
                                   (row[18] - '0');
                if (second < first || second >= last)
                    continue;
            }
            kept.append(row);
        }
    });
    return kept;
}

QByteArray periodCsv(const PeriodInputs& in) {
    CsvText out;
    auto item = [&](const char* label, const QString& text) { out.row(QString::fromUtf8(label) + text); };
    item("現場名,", in.page.items[MeasTarget]);
    item("測定場所,", in.page.items[MeasSpot]);
    item("測定位置,", in.page.items[MeasPositionS]);
    item("測定期間,", in.page.date);
    item("規制基準・騒音S,", in.page.items[RegulationS]);
    item("規制基準・騒音V,", in.page.items[RegulationV]);
    item("特記事項,", in.page.items[Notices]);
    item("測定機関,", in.page.items[MeasInstitution]);
    item("測定者,", in.page.items[MeasName]);
    item("S-ALA,", in.page.items[ReferenceS]);
    item("V-ALA,", in.page.items[ReferenceV]);
    QString week = QStringLiteral("施工曜日,");
    for (size_t i = 0; i < 7; ++i)
        if (in.page.week[i])
            week += weekdayLetter(static_cast<int>(i));
    out.row(week);
    item("LED起動時間,", in.page.ledStart);
    item("LED停止時間,", in.page.ledStop);
    out.emptyRow();
    for (const QString& h : headingRows(Headings::Period))
        out.row(h);
    if (!in.la || !in.lv)
        throw DataError(QStringLiteral("日最大値がありません。"));
    if (in.dayTexts.size() > data::MaxPeriodDays)
        throw DataError(QStringLiteral("期間が31日を超えています。"));
    for (int d = 0; d < in.dayTexts.size(); ++d) {
        const QString& text = in.dayTexts[d];
        QString row = dateWithWeekday(text);
        for (const auto* table : {in.la, in.lv})
            for (int i = 0; i < LevelStatCount; ++i)
                row += u',' + (*table)[static_cast<size_t>(i)][static_cast<size_t>(d)];
        out.row(row);
    }
    return out.bytes();
}

QByteArray complianceCsv(const data::Compliance& compliance) {
    CsvText out;
    out.row(QStringLiteral("時間帯,") + data::windowText(compliance.window));
    out.row(
        QStringLiteral("日付,曜日,チャンネル,施工日,基準値(dB),レベル,区間数,有効区間数,有効率(%),Leq(dB),"
                       "最大値(dB),最大値の時刻,超過区間数,超過時間(分),超過の区間,判定方法,"
                       "Lmax超過区間数,最大値90%上端超過区間数,警告"));
    auto channel = [&](const QList<data::ChannelDay>& days, const QString& name, int level) {
        for (const data::ChannelDay& d : days) {
            QStringList runs;
            for (const data::Exceedance& run : d.exceedances)
                runs.append(QStringLiteral("%1-%2(%3)")
                                .arg(data::clockText(run.start), data::clockText(run.end),
                                     data::levelText(run.peak)));
            out.row(QStringList{
                data::isoDate(d.stem), weekdayLetter(d.weekday), name,
                // A calendar day without both day files has no construction flag and no reference.
                !d.recorded         ? QStringLiteral("記録なし")
                : d.constructionDay ? QStringLiteral("施工日")
                                    : QStringLiteral("非施工日"),
                d.recorded ? QString::number(d.reference) : QString(), levelStatName(level),
                QString::number(d.entries), QString::number(d.valid), data::coverageText(d),
                d.leq ? data::levelText(*d.leq) : QString(), d.max ? data::levelText(*d.max) : QString(),
                d.max ? data::clockText(d.maxTime) : QString(), QString::number(d.exceededEntries),
                QString::number(10 * d.exceededEntries), runs.join(u' '), data::methodTitle(d.method, level),
                d.recorded ? QString::number(d.lmaxExceeded) : QString(),
                d.maxima90Exceeded ? QString::number(*d.maxima90Exceeded) : QString(), d.warning}
                        .join(u','));
        }
    };
    channel(compliance.s, QStringLiteral("騒音"), compliance.sLevel);
    channel(compliance.v, QStringLiteral("振動"), compliance.vLevel);
    return out.bytes();
}

QString secondClock(int second) {
    return QString::asprintf("%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
}

QByteArray eventsCsv(const QList<data::DayEvents>& days) {
    CsvText out;
    out.row(QStringLiteral("日付,チャンネル,しきい値(dB),開始,終了,継続時間(秒),最大値(dB),最大値の時刻,"
                           "Leq(dB),SEL(dB),騒音と振動が同時"));
    for (const data::DayEvents& d : days) {
        for (const auto& [events, threshold, name] :
             {std::tuple{&d.s, &d.sThreshold, "騒音"}, std::tuple{&d.v, &d.vThreshold, "振動"}}) {
            for (const data::Event& e : *events)
                out.row(QStringList{data::isoDate(d.stem), QString::fromUtf8(name),
                                    threshold->has_value() ? data::deciText(**threshold) : QString(),
                                    secondClock(e.start), secondClock(e.end), QString::number(e.duration()),
                                    data::deciText(e.peak), secondClock(e.peakAt), data::deciText(e.leq),
                                    data::deciText(e.sel), e.coinciding ? QStringLiteral("同時") : QString()}
                            .join(u','));
        }
    }
    return out.bytes();
}

void fileListSort(QStringList& paths) {
    std::stable_sort(paths.begin(), paths.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

QStringList sortedListing(const QString& directory) {
    const QString dir = platform::withSeparator(directory);
    QStringList paths;
    for (const QString& name : platform::listFiles(directory))
        paths.append(dir + name);
    fileListSort(paths);
    return paths;
}

bool saveCsv(const QString& path, const QByteArray& bytes,
             const std::function<bool(const QString&)>& mayReplace) {
    if (platform::fileExists(path) && !mayReplace(path))
        return false;
    platform::writeFileAtomically(path, bytes);
    return true;
}

} // namespace moravel::csv
