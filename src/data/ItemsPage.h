#pragma once

#include "common/Items.h"
#include "data/ItemPage.h"
#include "data/Loading.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace moravel::data {

// The page "測定項目情報": the items of the loaded day file's header with the settings file's texts
// in place, the measurement date or period, the LED times and the construction weekdays. It only
// shows: nothing on it can be edited.
class ItemsPage : public QWidget {
    Q_OBJECT

public:
    explicit ItemsPage(QWidget* parent = nullptr);

    QLineEdit* EdMeasTarget = nullptr;
    QLineEdit* EdMeasSpot = nullptr;
    QLineEdit* EdMeasPositionS = nullptr;
    QLineEdit* EdMeasPositionV = nullptr;
    QLineEdit* EdRegulationS = nullptr;
    QLineEdit* EdRegulationV = nullptr;
    QLineEdit* EdReferenceS = nullptr;
    QLineEdit* EdReferenceV = nullptr;
    QPlainTextEdit* MmNotices = nullptr;
    QLineEdit* EdDate = nullptr;
    QLineEdit* EdMeasInstitution = nullptr;
    QLineEdit* EdMeasName = nullptr;
    QLineEdit* EdMeasStart = nullptr;
    QLineEdit* EdMeasStop = nullptr;
    std::array<QCheckBox*, 7> Cb{}; // Cb1..Cb7, Monday first
    QLabel* LbDate = nullptr;       // the day selected, on a bar that is never shown

    // The edits by item index, found by the items' names ("Ed" + name); index 6 is null: the notices
    // live in MmNotices.
    std::array<QWidget*, ItemCount> EditArray{};
    std::array<QCheckBox*, 7> WeekArray{};

    void SetEditArrayText(int index, const QString& text);
    QString EditArrayText(int index) const;
    void ShowWeek(const std::array<bool, 7>& week);
    // Shows a loaded header; the date label only where it names a day.
    void ShowHeader(const HeaderView& header);
    // Puts the settings file's texts in the place of the site items (TXTDataView).
    void ShowSettingsTexts(const ItemTexts& settings);
    // Empties every item, the weekdays, the LED times, the date and the date label.
    void Clear();
    // What the page shows, as the report and the period CSV take it.
    ItemPage ItemPageNow() const;
    // The reference value of a channel (0 noise, 1 vibration) as the graphs draw it.
    int Reference(int channel) const;
};

} // namespace moravel::data
