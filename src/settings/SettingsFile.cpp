#include "settings/SettingsFile.h"

#include "common/Checked.h"

namespace moravel::settings {

const std::array<QString, 11>& itemNames() {
    static const std::array<QString, 11> names = {
        QStringLiteral("MeasTarget"),  QStringLiteral("MeasSpot"),        QStringLiteral("MeasPositionS"),
        QStringLiteral("MeasPositionV"), QStringLiteral("RegulationS"),   QStringLiteral("RegulationV"),
        QStringLiteral("Notices"),     QStringLiteral("MeasInstitution"), QStringLiteral("MeasName"),
        QStringLiteral("ReferenceS"),  QStringLiteral("ReferenceV")};
    return names;
}

const std::array<int, 11>& itemLengths() {
    static const std::array<int, 11> lengths = {16, 16, 12, 12, 12, 12, 40, 12, 12, 3, 3};
    return lengths;
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
    auto line = [&](int number) { return number >= 1 && number <= lines.size() ? lines[number - 1] : QString(); };
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

QStringList settingsFileLines(const std::array<QString, 11>& items, const QString& weekFlags, const QString& startHour,
                              const QString& startMinute, const QString& stopHour, const QString& stopMinute) {
    const QString comma = QStringLiteral(",");
    QStringList lines;
    lines << items[0] + comma << items[1] + comma << items[2] + comma << items[2] + comma;
    for (size_t i = 4; i <= 8; ++i)
        lines << items[i] + comma;
    lines << QStringLiteral("S-ALA,") + items[9] << QStringLiteral("S-ALMODE,0") << QStringLiteral("V-ALA,") + items[10]
          << QStringLiteral("V-ALMODE,0") << QStringLiteral("WEEK,") + weekFlags
          << QStringLiteral("START,") + startHour + u':' + startMinute
          << QStringLiteral("STOP,") + stopHour + u':' + stopMinute;
    return lines;
}

bool lengthCheck(int maximum, const QString& text, QStringList& messages, const QString& label) {
    if (text.size() <= maximum)
        return true;
    messages.append(label + QStringLiteral("の文字数が") + QString::number(maximum) + QStringLiteral("文字を超えています。"));
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

} // namespace moravel::settings
