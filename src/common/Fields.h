#pragma once

#include "common/Text.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace moravel {

// The comma rule of the day files and raw files: commas separate fields; a blank (any character
// from U+0001 to U+0020) also ends a field, so fields never contain blanks; a field may be enclosed
// in double quotes ("" inside stands for one quote); an empty field between two commas is kept, and
// a comma at the very end of the line adds one empty field. Leading blanks are skipped. A NUL ends
// the text, as it ends a C string.
QStringList splitFields(QStringView line);

namespace fields_detail {
inline qsizetype findNul(QStringView v) {
    return v.indexOf(QChar(0));
}
inline qsizetype findNul(QByteArrayView v) {
    return v.indexOf('\0');
}
inline QString undoubled(QStringView raw) {
    QString text = raw.toString();
    text.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return text;
}
inline QByteArray undoubled(QByteArrayView raw) {
    QByteArray text = raw.toByteArray();
    text.replace(QByteArrayView("\"\""), QByteArrayView("\""));
    return text;
}
} // namespace fields_detail

// Whether a line of a day file or a raw file is a data line: it holds ":" and no "ST" (the START and
// STOP lines of the header hold both), as text or as the bytes of a plain ASCII line.
template <class View> bool holdsData(View line) {
    bool colon = false;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = unit(line[i]);
        if (c == u':')
            colon = true;
        else if (c == u'S' && i + 1 < n && unit(line[i + 1]) == u'T')
            return false;
    }
    return colon;
}

// The same split without copying, for text (QStringView) or for bytes of a line that is plain ASCII
// (QByteArrayView): the views point into the line, or into the splitter for quoted fields that held
// doubled quotes. The line must outlive the views. Returns the number of fields.
template <class View, class Text> class BasicFieldSplitter {
public:
    int split(View line) {
        m_fields.clear();
        m_scratch.clear();
        m_scratchAt.clear();
        const qsizetype nul = fields_detail::findNul(line);
        if (nul >= 0)
            line = line.first(nul);
        const qsizetype n = line.size();
        auto blank = [&](qsizetype i) { return unit(line[i]) >= 1 && unit(line[i]) <= 32; };
        qsizetype p = 0;
        while (p < n && blank(p))
            ++p;
        while (p < n) {
            if (unit(line[p]) == u'"') {
                // Quoted field: up to the closing quote; without one, the rest of the line.
                const qsizetype start = p + 1;
                qsizetype q = start;
                bool doubled = false;
                qsizetype end = n;
                qsizetype after = n;
                while (q < n) {
                    if (unit(line[q]) == u'"') {
                        if (q + 1 < n && unit(line[q + 1]) == u'"') {
                            doubled = true;
                            q += 2;
                            continue;
                        }
                        end = q;
                        after = q + 1;
                        break;
                    }
                    ++q;
                }
                const View raw = line.sliced(start, end - start);
                if (doubled) {
                    m_scratch.push_back(fields_detail::undoubled(raw));
                    m_scratchAt.push_back(m_fields.size());
                    m_fields.emplace_back();
                } else {
                    m_fields.push_back(raw);
                }
                p = after;
            } else {
                const qsizetype start = p;
                while (p < n && !blank(p) && unit(line[p]) != u',')
                    ++p;
                m_fields.push_back(line.sliced(start, p - start));
            }
            while (p < n && blank(p))
                ++p;
            if (p < n && unit(line[p]) == u',') {
                if (p + 1 == n)
                    m_fields.push_back(line.sliced(n, 0));
                ++p;
                while (p < n && blank(p))
                    ++p;
            }
        }
        // Quoted fields with doubled quotes were copied; the views point at the copies now that
        // the scratch vector no longer moves.
        for (size_t k = 0; k < m_scratchAt.size(); ++k)
            m_fields[m_scratchAt[k]] = View(m_scratch[k]);
        return size();
    }

    int size() const { return static_cast<int>(m_fields.size()); }
    View operator[](int i) const { return m_fields[static_cast<size_t>(i)]; }
    const std::vector<View>& fields() const { return m_fields; }

private:
    std::vector<View> m_fields;
    std::vector<Text> m_scratch;
    std::vector<size_t> m_scratchAt;
};

using FieldSplitter = BasicFieldSplitter<QStringView, QString>;
using ByteFieldSplitter = BasicFieldSplitter<QByteArrayView, QByteArray>;

} // namespace moravel
