#include "data/Choices.h"

#include <algorithm>

namespace moravel::data {

int DisplayChoices::periodDays() const {
    return std::max(0, selection.last) - std::max(0, selection.first) + 1;
}

DisplayChoices choicesOf(const Selection& selection) {
    DisplayChoices c;
    c.selection = selection;
    for (int i = 0; i < selection.catalogue.size(); ++i)
        c.dateTexts.append(selection.text(i));
    return c;
}

} // namespace moravel::data
