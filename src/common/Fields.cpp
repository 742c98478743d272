#include "common/Fields.h"

namespace moravel {

namespace {

inline bool isBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }

} // namespace

int FieldSplitter::split(QStringView line) {
    m_fields.clear();
    m_scratch.clear();
    m_scratchAt.clear();
    // A NUL ends the text, as it ends a C string.
    const qsizetype nul = line.indexOf(QChar(0));
    if (nul >= 0)
        line = line.left(nul);
    const qsizetype n = line.size();
    const QChar* s = line.data();
    qsizetype p = 0;
    while (p < n && isBlank(s[p]))
        ++p;
    while (p < n) {
        if (s[p] == u'"') {
            // Quoted field: up to the closing quote, "" standing for one quote.
            const qsizetype start = p + 1;
            qsizetype q = start;
            bool doubled = false;
            qsizetype end = n; // no closing quote: the rest of the line
            qsizetype after = n;
            while (q < n) {
                if (s[q] == u'"') {
                    if (q + 1 < n && s[q + 1] == u'"') {
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
            QStringView raw = line.mid(start, end - start);
            if (doubled) {
                QString text = raw.toString();
                text.replace(QStringLiteral("\"\""), QStringLiteral("\""));
                m_scratch.push_back(std::move(text));
                m_scratchAt.push_back(m_fields.size());
                m_fields.emplace_back();
            } else {
                m_fields.push_back(raw);
            }
            p = after;
        } else {
            const qsizetype start = p;
            while (p < n && !isBlank(s[p]) && s[p] != u',')
                ++p;
            m_fields.push_back(line.mid(start, p - start));
        }
        while (p < n && isBlank(s[p]))
            ++p;
        if (p < n && s[p] == u',') {
            if (p + 1 == n)
                m_fields.emplace_back(QStringView(u""));
            ++p;
            while (p < n && isBlank(s[p]))
                ++p;
        }
    }
    // Quoted fields with doubled quotes were copied; point their views at the copies now that the
    // scratch vector no longer moves.
    for (size_t k = 0; k < m_scratchAt.size(); ++k)
        m_fields[m_scratchAt[k]] = m_scratch[k];
    return size();
}

QStringList splitFields(QStringView line) {
    FieldSplitter splitter;
    splitter.split(line);
    QStringList out;
    out.reserve(splitter.size());
    for (const auto& f : splitter.fields())
        out.append(f.toString());
    return out;
}

} // namespace moravel
