#include "data/DayHeader.h"

#include "common/Checked.h"

namespace moravel::data {

QString corruptFileMessage(const QString& fileName) {
    return fileName + QStringLiteral("\r\n") + QStringLiteral("は破損しています。");
}

std::optional<std::array<bool, 7>> parseWeekLine(const QString& line) {
    QString rest = line;
    rest.remove(QStringLiteral("WEEK,"));
    if (rest.size() != 7)
        return std::nullopt;
    std::array<bool, 7> week{};
    for (int i = 0; i < 7; ++i)
        week[static_cast<size_t>(i)] = rest[i] == u'1';
    return week;
}

namespace {

QString withoutAll(QString text, const QString& what) {
    text.remove(what);
    return text;
}

bool colonAt(const QString& line, int position) {
    return line.size() >= position && line[position - 1] == u':';
}

QString ledTime(const QString& line, const QString& key) {
    const QString rest = withoutAll(line, key);
    return rest.left(2) + u':' + rest.right(2);
}

} // namespace

HeaderCheck checkHeader(const QStringList& lac, const QStringList& lvc,
                        const std::function<QString()>& stem) {
    HeaderCheck result;
    // The header ends with an empty line 16 in both files.
    const bool lacEnd = lineAt(lac, 16).isEmpty();
    const bool lvcEnd = lineAt(lvc, 16).isEmpty();
    if (!lacEnd || !lvcEnd) {
        result.outcome = HeaderCheck::Outcome::HeaderEndMissing;
        if (!lacEnd)
            result.messages.append(corruptFileMessage(stem() + QStringLiteral(".LAC")));
        if (!lvcEnd)
            result.messages.append(corruptFileMessage(stem() + QStringLiteral(".LVC")));
        return result;
    }

    const QString comma = QStringLiteral(",");
    for (int i = 0; i <= 10; ++i) {
        QString text;
        if (i == 9)
            text = withoutAll(lineAt(lac, 9), QStringLiteral("S-ALA,"));
        else if (i == 10)
            text = withoutAll(lineAt(lac, 11), QStringLiteral("V-ALA,"));
        else
            text = withoutAll(lineAt(lac, i), comma);
        result.items[static_cast<size_t>(i)] = text;
    }

    const auto week = parseWeekLine(lineAt(lac, 13));
    if (!week) {
        result.outcome = HeaderCheck::Outcome::Corrupt;
        result.messages.append(lineAt(lac, lac.size() - 1).left(10) + QStringLiteral(".LAC") +
                               QStringLiteral(" [WEEK]の部分") + QStringLiteral("\r\n") +
                               QStringLiteral("は破損しています。"));
        return result;
    }
    result.week = *week;

    const QString& startLine = lineAt(lac, 14);
    const QString& stopLine = lineAt(lac, 15);
    const bool startGood = colonAt(startLine, 9);
    if (startGood && colonAt(stopLine, 8)) {
        result.start = ledTime(startLine, QStringLiteral("START,"));
        result.stop = ledTime(stopLine, QStringLiteral("STOP,"));
        return result;
    }
    result.outcome = HeaderCheck::Outcome::Corrupt;
    if (!startGood)
        result.messages.append(corruptFileMessage(stem() + QStringLiteral(".LAC")));
    if (!colonAt(lineAt(lvc, 15), 8))
        result.messages.append(corruptFileMessage(stem() + QStringLiteral(".LVC")));
    // The .LAC file's STOP line decides, but only the .LVC file's is named: a broken .LAC STOP line
    // alone resets without a word.
    result.silentlyRejected = result.messages.isEmpty();
    return result;
}

} // namespace moravel::data
