#include "TestSupport.h"

#include <QDir>

#include "platform/Fonts.h"
#include "platform/TextFile.h"

#include <QHash>
#include <QPainter>
#include <cmath>

#include <QFile>

QT_BEGIN_NAMESPACE
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
void PrintTo(const QStringList& s, std::ostream* os) {
    *os << '[';
    for (int i = 0; i < s.size(); ++i)
        *os << (i ? ", " : "") << '"' << s[i].toStdString() << '"';
    *os << ']';
}
void PrintTo(const QByteArray& s, std::ostream* os) {
    *os << "bytes(" << s.toHex().toStdString() << ')';
}
QT_END_NAMESPACE

namespace moravel::test {

moravel::tools::SampleCardOptions cardOptions(int days, bool raw) {
    moravel::tools::SampleCardOptions o;
    o.days = days;
    o.raw = raw;
    o.undetermined = 0;
    return o;
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write test file");
    f.write(bytes);
}

void writeDeviceFile(const QString& path, const QStringList& lines) {
    platform::writeLines(path, lines);
}

QStringList dayFile(const QStringList& rows, const QString& week) {
    QStringList lines = tools::sampleHeader(week);
    lines.append(QString());
    lines.append(rows);
    return lines;
}

QString dataRow(const QString& date, int hour, int minute, const QString& value) {
    QString row = QStringLiteral("%1 %2:%3")
                      .arg(date)
                      .arg(hour, 2, 10, QLatin1Char('0'))
                      .arg(minute, 2, 10, QLatin1Char('0'));
    for (int i = 0; i < 9; ++i)
        row += u',' + value;
    return row;
}

QStringList fullDayRows(const QString& date, const QString& value) {
    QStringList rows;
    for (int k = 0; k < 144; ++k)
        rows.append(dataRow(date, k / 6, k % 6 * 10, value));
    return rows;
}

namespace {
double channel(int c) {
    const double s = c / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}
double luminance(QRgb c) {
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}
} // namespace

double contrastRatio(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double contentContrast(const QImage& image) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrastRatio(background, it.key()));
    return best;
}

::testing::AssertionResult showsText(const QImage& image, const QRect& box, const QString& text, int pixels,
                                     Qt::Alignment alignment, QRect compared) {
    if (compared.isNull())
        compared = box.adjusted(1, 1, -1, -1);
    QImage reference(image.size(), QImage::Format_ARGB32);
    reference.fill(0xFFFFFFFF);
    {
        QPainter p(&reference);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        QFont font(platform::uiFontFamily());
        font.setPixelSize(pixels);
        p.setFont(font);
        p.setPen(QColor(0xFF000000u));
        p.drawText(box, alignment | Qt::TextWordWrap | Qt::TextDontClip, text);
    }
    int inked = 0;
    for (int y = compared.top(); y <= compared.bottom(); ++y)
        for (int x = compared.left(); x <= compared.right(); ++x) {
            if (image.pixel(x, y) != reference.pixel(x, y))
                return ::testing::AssertionFailure()
                       << "\"" << text.toStdString() << "\" differs at (" << x << ", " << y << ")";
            inked += reference.pixel(x, y) != 0xFFFFFFFFu;
        }
    if (inked == 0 && !text.isEmpty())
        return ::testing::AssertionFailure()
               << "\"" << text.toStdString() << "\" leaves no ink in the compared area";
    return ::testing::AssertionSuccess();
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace moravel::test
