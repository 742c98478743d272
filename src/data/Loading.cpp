#include "data/Loading.h"

#include "common/Checked.h"
#include "common/DateText.h"
#include "common/Text.h"
#include "data/Catalogue.h"
#include "data/DayHeader.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

namespace moravel::data {

QString corruptDataMessage() {
    return QStringLiteral("データは破損しています。");
}

QString Selection::text(int i) const {
    return i >= 0 && i < catalogue.size() ? dateNumToString(catalogue[i]) : QString();
}

namespace {

QString lacOf(const QString& dir, const QString& stem) {
    return dir + stem + QStringLiteral(".LAC");
}
QString lvcOf(const QString& dir, const QString& stem) {
    return dir + stem + QStringLiteral(".LVC");
}

// The messages and the error state of one load as it goes.
struct Run {
    LoadResult result;
    bool errorFlag = false;

    void message(const QString& text) { result.messages.append(text); }
    // A step failed with its message: the full reset follows and the load ends.
    LoadResult fail(const QString& text) {
        message(text);
        return failed();
    }
    LoadResult failed() {
        result.ok = false;
        return std::move(result);
    }
    void read(const QString& dir, const QString& stem) {
        CardData& d = result.data;
        noteRead(stem);
        if (const auto failure = dataRead(lacOf(dir, stem), lvcOf(dir, stem), d.LAC_Data, d.LVC_Data)) {
            message(*failure);
            errorFlag = true;
        } else {
            errorFlag = false;
        }
    }
    void noteRead(const QString& stem) {
        for (const char* ext : {".LAC", ".LVC"}) {
            const QString name = stem + QString::fromLatin1(ext);
            if (!result.filesRead.contains(name))
                result.filesRead.append(name);
        }
    }
    void init(const Selection& selection) {
        // A period shows its first day's header, read again for it.
        if (!errorFlag && selection.monthMode && selection.first >= 0 &&
            selection.first < selection.catalogue.size())
            noteRead(selection.catalogue[selection.first]);
        CardData& d = result.data;
        HeaderResult header = initDataView(errorFlag, selection, d.LAC_Data, d.LVC_Data);
        result.messages += header.messages;
        result.silentlyRejected = header.silentlyRejected;
        if (header.header)
            result.header = std::move(header.header);
        if (header.reset)
            errorFlag = true;
        else if (result.header)
            errorFlag = false;
    }
    // Lays the loaded pair of the day `stem` onto the day's intervals. False when it failed (its
    // message is given).
    bool gather(const TimeWindow& window, const QString& stem) {
        CardData& d = result.data;
        try {
            DayValues s, v;
            QList<BrokenLevel> sBroken, vBroken;
            gatherDay(d.LAC_Data, d.LVC_Data, window, d.LA_List, d.LV_List, &s, &v, &sBroken, &vBroken);
            DayRecord record = dayRecord(stem, d.LAC_Data, d.LVC_Data, s, v);
            record.s.broken = std::move(sBroken);
            record.v.broken = std::move(vBroken);
            result.days.append(std::move(record));
            return true;
        } catch (const std::exception&) {
            message(corruptDataMessage());
            return false;
        }
    }
};

} // namespace

std::optional<QString> dataRead(const QString& lacPath, const QString& lvcPath, QStringList& lac,
                                QStringList& lvc) {
    try {
        lac = platform::readLines(lacPath);
        lvc = platform::readLines(lvcPath);
        return std::nullopt;
    } catch (const std::exception&) {
        return lvcPath + QStringLiteral("\r\n") + QStringLiteral("データが存在していません");
    }
}

HeaderResult initDataView(bool errorFlag, const Selection& selection, QStringList& lac, QStringList& lvc) {
    HeaderResult result;
    try {
        if (!errorFlag && selection.monthMode && selection.first >= 0) {
            // The header shown for a period is that of its first day.
            const QString stem = entryAt(selection.catalogue, selection.first, "日付一覧");
            if (const auto failure =
                    dataRead(lacOf(selection.directory, stem), lvcOf(selection.directory, stem), lac, lvc)) {
                result.messages.append(*failure);
                result.reset = true;
                errorFlag = true;
            }
        }
        if (errorFlag)
            return result;
        const HeaderCheck check =
            checkHeader(lac, lvc, [&] { return entryAt(selection.catalogue, selection.day, "日付一覧"); });
        result.messages = check.messages;
        if (check.outcome == HeaderCheck::Outcome::HeaderEndMissing) {
            result.reset = true;
            return result;
        }
        if (check.outcome == HeaderCheck::Outcome::Corrupt) {
            result.reset = true;
            result.settingsCopied = false;
            result.silentlyRejected = check.silentlyRejected;
            return result;
        }
        HeaderView view;
        view.items = check.items;
        view.week = check.week;
        view.start = check.start;
        view.stop = check.stop;
        if (selection.monthMode) {
            if (selection.first >= 0 && selection.last >= 0) {
                view.date =
                    selection.text(selection.first) + QStringLiteral("~") + selection.text(selection.last);
            } else {
                QStringList texts;
                for (int i = 0; i < selection.catalogue.size(); ++i)
                    texts.append(selection.text(i));
                view.date = entryAt(texts, 0, "日付一覧") + QStringLiteral("~") +
                            entryAt(texts, texts.size() - 1, "日付一覧");
            }
        } else {
            const QString& first = lineAt(lac, FirstDataLine);
            view.date = first.left(first.indexOf(u' ') + 1);
        }
        if (selection.day >= 0) {
            view.dayText = selection.text(selection.day);
            view.title = appName() + QStringLiteral(" - ") + view.dayText;
        } else if (selection.first >= 0 && selection.last >= 0) {
            view.title = appName() + QStringLiteral(" - ") + selection.text(selection.first) +
                         QStringLiteral("-") + selection.text(selection.last);
        }
        result.header = std::move(view);
    } catch (const std::exception&) {
        result.messages.append(corruptDataMessage());
        result.header.reset();
        result.reset = true;
        result.settingsCopied = false;
    }
    return result;
}

LoadResult loadDay(const Selection& selection, CardData data) {
    Run run;
    run.result.data = std::move(data);
    QString stem;
    try {
        stem = entryAt(selection.catalogue, selection.day, "日付一覧");
    } catch (const std::exception&) {
        return run.fail(corruptDataMessage());
    }
    run.read(selection.directory, stem);
    if (run.errorFlag)
        return run.failed();
    run.init(selection);
    if (run.errorFlag || !run.gather(selection.window, stem))
        return run.failed();
    run.result.ok = true;
    return std::move(run.result);
}

void clearPeriodLists(CardData& data) {
    for (auto* lists :
         {&data.LA_ListMaxListG, &data.LV_ListMaxListG, &data.LA_ListMaxList, &data.LV_ListMaxList})
        for (auto& l : *lists)
            l.clear();
    for (auto* table : {&data.LA_ListMaxG, &data.LV_ListMaxG})
        for (auto& row : *table)
            for (auto& entry : row)
                entry.clear();
}

LoadResult loadPeriod(const Selection& selection, CardData data) {
    Run run;
    run.result.data = std::move(data);
    CardData& d = run.result.data;
    clearPeriodLists(d);
    QStringList pairs;
    try {
        // The pairs as the directory holds them now, in catalogue order.
        pairs = catalogueFromNames(platform::listFiles(selection.directory));
        run.read(selection.directory, entryAt(pairs, 0, "日付一覧"));
    } catch (const std::exception&) {
        return run.fail(corruptDataMessage());
    }
    run.init(selection);

    for (int k = selection.first; k <= selection.last; ++k) {
        if (!run.errorFlag) {
            // The directory as it is now must still hold the period's days at their places: a day
            // removed or added since the catalogue was made would pair the rows with other days.
            if (k < 0 || k >= pairs.size() || pairs[k] != selection.catalogue.value(k))
                return run.fail(corruptDataMessage());
            run.read(selection.directory, pairs[k]);
        }
        if (run.errorFlag || !run.gather(selection.window, pairs[k]))
            return run.failed();
        int weekday = 0;
        try {
            weekday = firstRowWeekday(d.LAC_Data);
        } catch (const std::exception&) {
            return run.fail(corruptDataMessage());
        }
        // Every day of a period is judged by the weekday flags of the period's first day.
        const bool construction = run.result.header && run.result.header->week[static_cast<size_t>(weekday)];
        try {
            appendDayMaxima(d.LA_List, construction, d.LA_ListMaxListG, d.LA_ListMaxList);
            appendDayMaxima(d.LV_List, construction, d.LV_ListMaxListG, d.LV_ListMaxList);
        } catch (const std::exception&) {
            return run.fail(corruptDataMessage());
        }
    }

    try {
        for (int i = 0; i < LevelStatCount; ++i) {
            const auto si = static_cast<size_t>(i);
            for (int day = 0; day <= selection.last - selection.first; ++day) {
                const auto sd = static_cast<size_t>(day);
                d.LA_ListMax.at(si).at(sd) = entryAt(d.LA_ListMaxList[si], day, "日最大値");
                d.LV_ListMax.at(si).at(sd) = entryAt(d.LV_ListMaxList[si], day, "日最大値");
                for (int h = 0; h < 24; ++h) {
                    const int n = 24 * day + h;
                    d.LA_ListMaxG[si][static_cast<size_t>(n)] =
                        entryAt(d.LA_ListMaxListG[si], n, "時間最大値");
                    d.LV_ListMaxG[si][static_cast<size_t>(n)] =
                        entryAt(d.LV_ListMaxListG[si], n, "時間最大値");
                }
            }
        }
    } catch (const std::exception&) {
        return run.fail(corruptDataMessage());
    }
    run.result.ok = true;
    return std::move(run.result);
}

ItemPage itemPage(const HeaderView& header, const ItemTexts& settings) {
    ItemPage page;
    page.items = header.items;
    for (int i :
         {MeasTarget, MeasSpot, MeasPositionS, RegulationS, RegulationV, Notices, MeasInstitution, MeasName})
        page.items[static_cast<size_t>(i)] = settings[static_cast<size_t>(i)];
    page.date = header.date;
    page.ledStart = header.start;
    page.ledStop = header.stop;
    page.week = header.week;
    return page;
}

} // namespace moravel::data
