#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace moravel {

// The comma rule of the day files and raw files: commas separate fields; a blank (any character
// from U+0001 to U+0020) also ends a field, so fields never contain blanks; a field may be enclosed
// in double quotes ("" inside stands for one quote); an empty field between two commas is kept, and
// a comma at the very end of the line adds one empty field. Leading blanks are skipped.
QStringList splitFields(QStringView line);

// The same split without copying: the views point into `line`, or into `scratch` for quoted fields
// that held doubled quotes. Both must outlive the views. Returns the number of fields.
class FieldSplitter {
public:
    int split(QStringView line);
    int size() const { return static_cast<int>(m_fields.size()); }
    QStringView operator[](int i) const { return m_fields[static_cast<size_t>(i)]; }
    const std::vector<QStringView>& fields() const { return m_fields; }

private:
    std::vector<QStringView> m_fields;
    std::vector<QString> m_scratch;
    std::vector<size_t> m_scratchAt;
};

} // namespace moravel
