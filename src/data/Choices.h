#pragma once

#include "common/LevelStat.h"
#include "data/Loading.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace moravel::data {

// What the user has chosen to see: the day or the period with its time window, the graph's form and
// levels, the tables' columns. The window fills it from its controls, the command line from its
// options; the graphs, the tables, the report and the conversion all take it from here. The defaults
// are the window's at start-up.
struct DisplayChoices {
    Selection selection;
    QStringList dateTexts; // the texts of the date lists (yyyy年mm月dd日), one per catalogue entry
    bool lines = false;    // the day graph as lines instead of bars
    // The level of the day bars, the day tables and the month overview, per channel (a LevelStat).
    int sStat = L05, vStat = L10;
    // The captions of the main window's level combos; none while a combo has no selection.
    std::optional<QString> sStatText = levelStatName(L05), vStatText = levelStatName(L10);
    // The series of the line graphs and the columns of the month table. Le is a noise level only.
    QList<int> sSeries = {Leq, Le, L05, L10, L50, L90, L95, Lmin, Lmax};
    QList<int> vSeries = {Leq, L05, L10, L50, L90, L95, Lmin, Lmax};
    QList<int> sColumns = sSeries, vColumns = vSeries;

    bool monthMode() const { return selection.monthMode; }
    int stat(int channel) const { return channel == 0 ? sStat : vStat; }
    const QList<int>& series(int channel) const { return channel == 0 ? sSeries : vSeries; }
    // The period's length in days as the graphs count it: from the first to the last day selected.
    int periodDays() const;
};

// The choices of a loaded selection with the date texts of its catalogue.
DisplayChoices choicesOf(const Selection& selection);

} // namespace moravel::data
