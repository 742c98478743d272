#include "settings/SettingsFile.h"

#include "common/Checked.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

namespace moravel::settings {

const std::array<int, ItemCount>& itemLengths() {
    static const std::array<int, ItemCount> lengths = {16, 16, 12, 12, 12, 12, 40, 12, 12, 3, 3};
    return lengths;
}

const std::array<QString, ItemCount>& itemLabels() {
    static const std::array<QString, ItemCount> labels = {
        QStringLiteral("現場名"),     QStringLiteral("測定場所"),        QStringLiteral("測定位置"),
        QStringLiteral("・振動V"),    QStringLiteral("規制基準・騒音S"), QStringLiteral("・振動V"),
        QStringLiteral("特記事項"),   QStringLiteral("測定機関"),        QStringLiteral("測定者"),
        QStringLiteral("騒音基準値"), QStringLiteral("振動基準値")};
    return labels;
}

QString settingsFilePath(const QString& directory) {
    return directory + QStringLiteral("MORVEL.TXT");
}

namespace {

QString without(QString text, const QString& what) {
    text.remove(what);
    return text;
}

std::optional<int> hourOf(const QString& line, const QString& key) {
    int hour = -1;
    if (!tryToInt(without(line, key).left(2), hour) || hour < 0 || hour > 23)
        return std::nullopt;
    return hour;
}

} // namespace

SettingsContent parseSettingsFile(const QStringList& lines) {
    SettingsContent c;
    auto line = [&](int number) {
        return number >= 1 && number <= lines.size() ? lines[number - 1] : QString();
    };
    // A line that does not exist fails its test.
    const bool keys = lines.size() >= 15 && line(14).contains(u"WEEK") && line(15).contains(u"START") &&
                      lines.last().contains(u"STOP");
    if (!keys) {
        c.corrupt = true;
        return c;
    }
    for (int i = 0; i <= 10; ++i) {
        QString text;
        if (i == 9)
            text = without(line(10), QStringLiteral("S-ALA,"));
        else if (i == 10)
            text = without(line(12), QStringLiteral("V-ALA,"));
        else if (i == 3)
            text = without(line(3), QStringLiteral(","));
        else
            text = without(line(i + 1), QStringLiteral(","));
        c.items[static_cast<size_t>(i)] = text;
    }
    const QString flags = without(line(14), QStringLiteral("WEEK,"));
    if (flags.size() != 7) {
        c.corrupt = true;
        return c;
    }
    for (int i = 0; i < 7; ++i) {
        if (flags[i] == u'1')
            c.week[static_cast<size_t>(i)] = true;
        else if (flags[i] != u'0') {
            c.corrupt = true;
            return c;
        }
    }
    c.startHour = hourOf(line(15), QStringLiteral("START,"));
    if (!c.startHour) {
        c.corrupt = true;
        return c;
    }
    c.stopHour = hourOf(line(16), QStringLiteral("STOP,"));
    if (!c.stopHour)
        c.corrupt = true;
    return c;
}

int itemLine(int item) {
    // The position of the vibration meter is the fourth line, which repeats the third.
    return item <= 8 ? item : item == ReferenceS ? 9 : 11;
}

QStringList settingsFileLines(const SettingsEntries& e) {
    const QString comma = QStringLiteral(",");
    const ItemTexts& items = e.items;
    QStringList lines;
    lines << items[0] + comma << items[1] + comma << items[2] + comma << items[2] + comma;
    for (size_t i = 4; i <= 8; ++i)
        lines << items[i] + comma;
    lines << QStringLiteral("S-ALA,") + items[9] << QStringLiteral("S-ALMODE,0")
          << QStringLiteral("V-ALA,") + items[10] << QStringLiteral("V-ALMODE,0")
          << QStringLiteral("WEEK,") + e.weekFlags
          << QStringLiteral("START,") + e.startHour + u':' + e.startMinute
          << QStringLiteral("STOP,") + e.stopHour + u':' + e.stopMinute;
    return lines;
}

bool lengthCheck(int maximum, const QString& text, QStringList& messages, const QString& label) {
    if (text.size() <= maximum)
        return true;
    messages.append(label + QStringLiteral("の文字数が") + QString::number(maximum) +
                    QStringLiteral("文字を超えています。"));
    return false;
}

void numberCheck(const QString& text, const QString& label, QStringList& messages) {
    int value = 0;
    if (text.isEmpty()) {
        messages.append(label + QStringLiteral("に数値が記入されていません"));
    } else if (!tryToInt(text, value)) {
        value = 0;
        messages.append(label + QStringLiteral("に整数以外の数値、または文字列が記入されています"));
    }
    if (value < 0)
        messages.append(label + QStringLiteral("に0以下の数値が記入されています"));
    if (value > 99)
        messages.append(label + QStringLiteral("に99以上の数値が記入されています"));
}

void characterCheck(const QString& text, const QString& label, QStringList& messages) {
    // A line break would split the item's line of the file; every other control character goes too.
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || (c.unicode() >= 0x80 && c.unicode() < 0xA0)) {
            messages.append(label + QStringLiteral("に改行やタブなどの制御文字が含まれています"));
            break;
        }
    if (const auto bad = platform::firstUnwritableInCp932(text))
        messages.append(label +
                        QStringLiteral("に設定ファイルに書けない文字「%1」が含まれています").arg(*bad));
}

QStringList inputCheck(const ItemTexts& items) {
    QStringList messages;
    for (size_t i = 0; i < items.size(); ++i) {
        lengthCheck(itemLengths()[i], items[i], messages, itemLabels()[i]);
        if (i == ReferenceS || i == ReferenceV)
            numberCheck(items[i], itemLabels()[i], messages);
        characterCheck(items[i], itemLabels()[i], messages);
    }
    return messages;
}

RegisterOutcome registerSettings(const QString& directory, const SettingsEntries& entries,
                                 const RegisterCallbacks& callbacks) {
    if (directory.isEmpty()) {
        callbacks.information(QStringLiteral("ディレクトリが指定されていません\r\n"
                                             "メインウィンドウでディレクトリを指定してください"));
        return RegisterOutcome::NoDirectory;
    }
    if (callbacks.fileSystemName() != u"FAT32" &&
        !callbacks.ask(QStringLiteral("選択したディレクトリのファイルシステムが「FAT32」ではありません。\r\n"
                                      "データを書き込みますか")))
        return RegisterOutcome::Declined;
    const QStringList messages =
        callbacks.inputCheck ? callbacks.inputCheck(entries.items) : inputCheck(entries.items);
    if (!messages.isEmpty()) {
        QString text;
        for (const QString& m : messages)
            text += m + QStringLiteral("\r\n");
        callbacks.warning(text);
        return RegisterOutcome::Refused;
    }
    if (!callbacks.ask(directory + QStringLiteral("に設定ファイルを作成します。よろしいですか？")))
        return RegisterOutcome::Declined;
    const QString path = settingsFilePath(directory);
    if (platform::fileExists(path) &&
        !callbacks.ask(QStringLiteral("ファイルが既に存在しています。上書きしますか？")))
        return RegisterOutcome::Declined;
    // Written beside the old file and renamed over it: a failed write leaves the old file as it was.
    // The lines that did not change keep the old file's bytes.
    QByteArray original;
    try {
        if (platform::fileExists(path))
            original = platform::readBytes(path);
    } catch (const DataError&) {
        // An old file that cannot be read has nothing to keep.
    }
    platform::writeLines(path, settingsFileLines(entries), original);
    callbacks.information(QStringLiteral("保存完了しました"));
    return RegisterOutcome::Written;
}

} // namespace moravel::settings
