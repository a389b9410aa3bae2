// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/setup_dlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/location_file.h"
#include "core/value_ranges.h"
#include "platform/qt/ddx.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/ui_services.h"

namespace orbant {

CSetupDlg::CSetupDlg(UiServices& ui, QWidget* parent) : QDialog(parent), ui_(ui) {
    setObjectName(QStringLiteral("CSetupDlg"));
    setWindowTitle(QString::fromUtf8(setup_dlg_template.caption));
    built_ = build_dialog(setup_dlg_template, *this);
    if (auto* name = edit(id_setup_place_name)) name->setMaxLength(setup_place_name_max_chars);
    if (auto* ok = built_.control_as<QPushButton>(id_dialog_ok))
        connect(ok, &QPushButton::clicked, this, &CSetupDlg::accept);
    if (auto* cancel = built_.control_as<QPushButton>(id_dialog_cancel))
        connect(cancel, &QPushButton::clicked, this, &CSetupDlg::reject);
    if (auto* load = built_.control_as<QPushButton>(id_setup_load_location))
        connect(load, &QPushButton::clicked, this, &CSetupDlg::on_load_location);
}

QLineEdit* CSetupDlg::edit(int id) const { return built_.control_as<QLineEdit>(id); }

QCheckBox* CSetupDlg::check(int id) const { return built_.control_as<QCheckBox>(id); }

void CSetupDlg::write_fields() {
    ddx_write_int(edit(id_setup_timer_period), fields_.timer_period);
    ddx_write_double(edit(id_setup_latitude), fields_.latitude);
    ddx_write_double(edit(id_setup_longitude), fields_.longitude);
    ddx_write_int(edit(id_setup_time_zone), fields_.time_zone);
    edit(id_setup_place_name)->setText(QString::fromStdString(fields_.place_name));
    check(id_setup_night_mode)->setChecked(fields_.night_mode != 0);
    check(id_setup_auto_summer_time)->setChecked(fields_.auto_summer_time != 0);
}

bool CSetupDlg::read_fields() {
    if (!ddx_read_int_in_range(edit(id_setup_timer_period), fields_.timer_period, timer_period_min,
                               timer_period_max, ui_, this))
        return false;
    if (!ddx_read_double_in_range(edit(id_setup_latitude), fields_.latitude, -latitude_limit, latitude_limit, ui_,
                                  this))
        return false;
    if (!ddx_read_double_in_range(edit(id_setup_longitude), fields_.longitude, -longitude_limit, longitude_limit,
                                  ui_, this))
        return false;
    constexpr auto zone_limit = static_cast<std::int32_t>(time_zone_limit);
    if (!ddx_read_int_in_range(edit(id_setup_time_zone), fields_.time_zone, -zone_limit, zone_limit, ui_, this))
        return false;
    const std::string name = edit(id_setup_place_name)->text().toStdString();
    if (const std::string message = place_name_storage_message(name); !message.empty()) {
        ui_.message_box(this, qt_text(message), MessageKind::error);
        edit(id_setup_place_name)->setFocus();
        return false;
    }
    fields_.place_name = name;
    fields_.night_mode = check(id_setup_night_mode)->isChecked() ? 1 : 0;
    fields_.auto_summer_time = check(id_setup_auto_summer_time)->isChecked() ? 1 : 0;
    return true;
}

void CSetupDlg::accept() {
    if (!read_fields()) return;  // the check's message was shown; stay open
    QDialog::accept();
}

void CSetupDlg::showEvent(QShowEvent* event) {
    // The controls are filled from the fields when the dialog first shows,
    // after the caller has set the fields.
    if (!shown_once_) {
        shown_once_ = true;
        write_fields();
    }
    QDialog::showEvent(event);
}

void CSetupDlg::on_load_location() {
    const auto path = ui_.open_file_name(this, qt_text(location_open_initial_name),
                                         qt_text(location_open_filter));
    if (!path) return;
    const std::string file = path->toStdString();
    LocationRecord record;
    std::string error;
    if (!read_location_file(file, record, error)) {
        ui_.message_box(this, QString::fromStdString(message_sentence(error)), MessageKind::error);
        return;
    }
    apply_location_to_setup_fields(record, file, fields_);
    write_fields();
}

}  // namespace orbant
