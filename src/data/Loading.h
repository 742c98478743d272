#pragma once

#include "common/Items.h"
#include "data/Compliance.h"
#include "data/Gathering.h"
#include "data/ItemPage.h"
#include "data/Levels.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace moravel::data {

// The loaded data of the main window, under the names of its fields: the lines of the last pair of
// day files read, the level arrays of the day or of the period's last day, and the period's lists
// and maxima.
struct CardData {
    QStringList LAC_Data, LVC_Data;
    LevelLists LA_List, LV_List;
    MonthLists LA_ListMaxListG, LV_ListMaxListG, LA_ListMaxList, LV_ListMaxList;
    DailyMaxima LA_ListMax, LV_ListMax;
    HourlyMaxima LA_ListMaxG, LV_ListMaxG;
};

// What the main window has selected when it loads: the card directory with its catalogue, the mode
// with its day or period, and the time window.
struct Selection {
    QString directory;     // ends with a path separator
    QStringList catalogue; // the stems of the measured days, in catalogue order
    bool monthMode = false;
    int day = -1;   // the day of day mode, -1 for none
    int first = -1; // the period's first and last day, -1 for none
    int last = -1;
    TimeWindow window;

    // The date lists' text of catalogue entry i (yyyy年mm月dd日); empty beyond the catalogue.
    QString text(int i) const;
};

// What the item page shows of a loaded header.
struct HeaderView {
    ItemTexts items; // the .LAC header's items: lines 0..8 without commas, the two references
    std::array<bool, 7> week{};
    QString start, stop; // the LED times hh:mm
    QString date;        // the measurement date (day) or period (first~last)
    QString dayText;     // the day selected in day mode, for the date labels; empty for a period
    QString title;       // the window's title; empty when it stays as it is
};

// The outcome of checking the loaded header and putting it on the item page.
struct HeaderResult {
    QStringList messages;
    std::optional<HeaderView> header; // the header shown
    bool reset = false;               // the full reset follows (the error state is set)
    bool settingsCopied = true;       // the settings texts are copied onto the item page at the end
    bool silentlyRejected = false;    // rejected without a message (a broken STOP line of the .LAC file)
};

// The outcome of loading a day or a period.
struct LoadResult {
    bool ok = false;
    QStringList messages;             // the messages shown, in order
    std::optional<HeaderView> header; // the header shown, also where the load failed afterwards
    CardData data;                    // the data after the load (what was gathered up to a failure)
    bool silentlyRejected = false;    // failed without a message: the .LAC file's STOP line is broken
    QStringList filesRead;            // the names of the card files read, in order, each once
    QList<DayRecord> days;            // the days gathered, for the compliance summary
};

// Reads the pair of day files into `lac` and `lvc` (each replaced when its file was read). Returns
// the message of a failure, which names the .LVC file whichever file failed.
std::optional<QString> dataRead(const QString& lacPath, const QString& lvcPath, QStringList& lac,
                                QStringList& lvc);

// Checks the header of the loaded pair and reads what the item page shows. In month mode with a
// first day selected, that day's pair is read into `lac` and `lvc` first: a period shows the header
// of its first day. With the error state set nothing is checked and only the settings texts are
// copied.
HeaderResult initDataView(bool errorFlag, const Selection& selection, QStringList& lac, QStringList& lvc);

// Loads the selected day: its pair, its header and its 144 intervals of both channels.
LoadResult loadDay(const Selection& selection, CardData data);

// Loads the selected period: the header of its first day, then every day's intervals with their
// hourly and daily maxima (zeros on a day that is not a construction day by the first day's weekday
// flags), copied into the fixed arrays of the period.
LoadResult loadPeriod(const Selection& selection, CardData data);

// Empties the period's growing lists and hourly maxima, as every period load does first.
void clearPeriodLists(CardData& data);

// The item page of a loaded header: its items with the site texts of the settings file in place
// (everything but the vibration position and the two references, which stay the day file's), its
// date, LED times and weekdays.
ItemPage itemPage(const HeaderView& header, const ItemTexts& settings);

// "データは破損しています。"
QString corruptDataMessage();

} // namespace moravel::data
