#include "data/Capacity.h"

#include <cmath>

namespace moravel::data {

QString generalFloatText(double value) {
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf(u'e');
    if (e >= 0) {
        const QString mantissa = text.left(e);
        QString exponent = text.mid(e + 1);
        const bool negative = exponent.startsWith(u'-');
        if (exponent.startsWith(u'-') || exponent.startsWith(u'+'))
            exponent.remove(0, 1);
        while (exponent.size() > 1 && exponent.startsWith(u'0'))
            exponent.remove(0, 1);
        text = mantissa + (negative ? QStringLiteral("E-") : QStringLiteral("E+")) + exponent;
    }
    return text;
}

QString capacityMessage(qint64 freeBytes) {
    const double gb = static_cast<double>(freeBytes) / 1073741824.0;
    const QString size = generalFloatText(gb).left(5);
    const qint64 days = static_cast<qint64>(std::trunc(gb / 0.0015));
    const qint64 months = days / 31;
    return QStringLiteral("残り容量 : ") + size + QStringLiteral(" GB") + QStringLiteral("\r\n") +
           QStringLiteral("記録可能の日数 : ") + QString::number(days) + QStringLiteral("日") +
           QStringLiteral("、約 ") + QString::number(months) + QStringLiteral("ヶ月");
}

} // namespace moravel::data
