// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDate>
#include <QDialog>
#include <array>

#include "ui/dialogs/setup_dlg.h"
#include "platform/qt/dialog_template.h"

class QCalendarWidget;

namespace orbant {

inline constexpr int id_kalender_month_calendar = 1032;

// The calendar dialog (template 142, 162 x 150 dialog units, Arial 8).
inline constexpr std::array<ControlSpec, 3> kalender_dlg_controls = {{
    {id_kalender_month_calendar, ControlKind::month_calendar, "", 9, 12, 144, 110},
    {id_dialog_ok, ControlKind::default_button, "OK", 37, 132, 39, 12},
    {id_dialog_cancel, ControlKind::button, "Abbrechen", 85, 132, 39, 12},
}};
static_assert(kalender_dlg_controls.size() == 3);

inline constexpr DialogTemplate kalender_dlg_template{142, "Kalender", page_width_du, page_height_du,
                                                      "Arial", 8, kalender_dlg_controls};

// The calendar dialog: a month calendar that opens on `initial` (the date of
// the device clock; today's host date when invalid).
// Each day the user selects (click, keyboard or a selection change) is kept
// as the selected date and sets date_selected(); the caller reads both after
// "OK" (see open_calendar_dialog).
class CKalenderDLG : public QDialog {
    Q_OBJECT
public:
    explicit CKalenderDLG(QWidget* parent = nullptr, const QDate& initial = QDate());

    bool date_selected() const noexcept { return date_selected_; }
    // The last selected day (its time of day is 00:00); invalid until one is.
    QDate selected_date() const { return selected_date_; }

    QCalendarWidget* calendar() const;
    QWidget* control(int id) const { return built_.control(id); }
    const BuiltDialog& built() const noexcept { return built_; }

    // The control's selection notification: keeps the day when it is a date.
    void on_date_selected(const QDate& date);

private:
    BuiltDialog built_;
    QDate selected_date_;
    bool date_selected_ = false;
};

}  // namespace orbant
