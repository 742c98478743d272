#include "common/Fields.h"

namespace moravel {

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
