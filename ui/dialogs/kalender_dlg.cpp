// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/kalender_dlg.h"

#include <QCalendarWidget>
#include <QLocale>
#include <QPushButton>

namespace orbant {

CKalenderDLG::CKalenderDLG(QWidget* parent, const QDate& initial) : QDialog(parent) {
    setObjectName(QStringLiteral("CKalenderDLG"));
    setWindowTitle(QString::fromUtf8(kalender_dlg_template.caption));
    built_ = build_dialog(kalender_dlg_template, *this);
    if (auto* cal = calendar()) {
        // German month and day names like the rest of the program, weeks
        // from Monday, and no week numbers, so that the days fit the
        // control's small area.
        cal->setLocale(QLocale(QLocale::German, QLocale::Germany));
        cal->setFirstDayOfWeek(Qt::Monday);
        cal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        // Shown before the notifications are connected: opening is no choice.
        if (initial.isValid()) cal->setSelectedDate(initial);
        // A click on the day already highlighted is a selection too, so the
        // click is watched as well as the change of selection.
        connect(cal, &QCalendarWidget::clicked, this, &CKalenderDLG::on_date_selected);
        connect(cal, &QCalendarWidget::selectionChanged, this,
                [this, cal] { on_date_selected(cal->selectedDate()); });
    }
    if (auto* ok = built_.control_as<QPushButton>(id_dialog_ok))
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    if (auto* cancel = built_.control_as<QPushButton>(id_dialog_cancel))
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QCalendarWidget* CKalenderDLG::calendar() const {
    return built_.control_as<QCalendarWidget>(id_kalender_month_calendar);
}

void CKalenderDLG::on_date_selected(const QDate& date) {
    if (!date.isValid()) return;
    selected_date_ = date;
    date_selected_ = true;
}

}  // namespace orbant
