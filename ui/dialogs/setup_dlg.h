// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QString>
#include <array>
#include <string_view>

#include "pages/dialog_texts.h"
#include "platform/qt/dialog_template.h"

class QCheckBox;
class QLineEdit;

namespace orbant {

class UiServices;

// Control ids of the setup dialog.
inline constexpr int id_setup_timer_period = 1017;
inline constexpr int id_setup_latitude = 1018;
inline constexpr int id_setup_longitude = 1020;
inline constexpr int id_setup_time_zone = 1021;
inline constexpr int id_setup_place_name = 1010;
inline constexpr int id_setup_load_location = 1042;
inline constexpr int id_setup_night_mode = 1081;
inline constexpr int id_setup_auto_summer_time = 1031;
inline constexpr int id_dialog_ok = 1;
inline constexpr int id_dialog_cancel = 2;

// The setup dialog (template 135, 162 x 150 dialog units, MS Shell Dlg 8).
inline constexpr std::array<ControlSpec, 17> setup_dlg_controls = {{
    {no_control_id, ControlKind::group_box, "Timer", 12, 6, 132, 28},
    {no_control_id, ControlKind::label, "Zeittakt (Sec.):", 23, 18, 53, 8},
    {id_setup_timer_period, ControlKind::edit, "", 90, 16, 40, 12},
    {no_control_id, ControlKind::group_box, "", 12, 34, 132, 67},
    {no_control_id, ControlKind::label, "Geograph. Breite:", 23, 45, 61, 8},
    {id_setup_latitude, ControlKind::edit, "", 90, 42, 40, 12},
    {no_control_id, ControlKind::label, "Geograph. Länge:", 23, 58, 62, 8},
    {id_setup_longitude, ControlKind::edit, "", 90, 56, 40, 12},
    {no_control_id, ControlKind::label, "Zeitzone:", 23, 71, 34, 8},
    {id_setup_time_zone, ControlKind::edit, "", 90, 70, 40, 12},
    {no_control_id, ControlKind::label, "Standort:", 23, 84, 32, 8},
    {id_setup_place_name, ControlKind::edit, "", 90, 84, 40, 12},
    {id_setup_load_location, ControlKind::button, "Standort laden", 48, 104, 61, 12},
    {id_setup_night_mode, ControlKind::check_box, "Nachtmodus", 13, 124, 55, 10},
    {id_setup_auto_summer_time, ControlKind::check_box, "Auto-Sommerzeit", 13, 136, 71, 10},
    {id_dialog_ok, ControlKind::default_button, "OK", 104, 119, 39, 12},
    {id_dialog_cancel, ControlKind::button, "Abbrechen", 104, 134, 39, 12},
}};
static_assert(setup_dlg_controls.size() == 17);

inline constexpr DialogTemplate setup_dlg_template{135, "Setup", page_width_du, page_height_du,
                                                   "MS Shell Dlg", 8, setup_dlg_controls};

// The setup dialog: edits the stored settings through its fields. The
// caller fills fields(), runs the dialog and on acceptance stores fields()
// (see open_setup_dialog). "OK" reads the controls with the integer and
// number checks and stays open when one fails; "Standort laden" loads a
// location file into the fields and rewrites the controls.
class CSetupDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSetupDlg(UiServices& ui, QWidget* parent = nullptr);

    SetupFields& fields() noexcept { return fields_; }
    const SetupFields& fields() const noexcept { return fields_; }

    // Controls from the fields (integers as decimal, doubles with up to 15
    // significant digits, check boxes on when the field is non-zero).
    void write_fields();
    // Fields from the controls, in control order, stopping at the first
    // field that fails its check (its message is shown). True when all read.
    bool read_fields();

    QWidget* control(int id) const { return built_.control(id); }
    const BuiltDialog& built() const noexcept { return built_; }

    // "Standort laden" (1042).
    void on_load_location();

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* edit(int id) const;
    QCheckBox* check(int id) const;

    UiServices& ui_;
    BuiltDialog built_;
    SetupFields fields_;
    bool shown_once_ = false;
};

}  // namespace orbant
