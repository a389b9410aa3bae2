// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <array>
#include <memory>

#include "pages/gps_texts.h"
#include "platform/gps.h"
#include "platform/qt/dialog_template.h"

namespace orbant {

class UiServices;

inline constexpr int gps_timer_number = 2;        // the dialog's window timer
inline constexpr int gps_timer_period_ms = 1000;  // its period
inline constexpr int id_gps_take = 1;             // "Uebernehmen", the default button (OK)
inline constexpr int id_gps_cancel = 2;           // "Abbrechen"

// The GPS dialog (template 145, 162 x 150 dialog units, Arial 8).
inline constexpr std::array<ControlSpec, 21> cgps_dialog_controls = {{
    {no_control_id, ControlKind::group_box, "Daten", 7, 4, 149, 49},
    {gps_longitude_id, ControlKind::text, "0.00", 14, 14, 114, 8},
    {gps_latitude_id, ControlKind::text, "0.00", 14, 23, 114, 8},
    {gps_utc_time_id, ControlKind::text, "", 14, 32, 114, 8},
    {gps_speed_altitude_id, ControlKind::text, "", 14, 41, 134, 8},
    {no_control_id, ControlKind::group_box, "Empfangsqualität", 7, 55, 149, 76},
    {gps_satellite_count_id, ControlKind::text, "0", 14, 65, 133, 8},
    {gps_first_satellite_id + 0, ControlKind::text, "0", 14, 76, 65, 8},
    {gps_first_satellite_id + 1, ControlKind::text, "0", 14, 85, 65, 8},
    {gps_first_satellite_id + 2, ControlKind::text, "0", 14, 93, 65, 8},
    {gps_first_satellite_id + 3, ControlKind::text, "0", 14, 101, 65, 8},
    {gps_first_satellite_id + 4, ControlKind::text, "0", 14, 109, 65, 8},
    {gps_first_satellite_id + 5, ControlKind::text, "0", 14, 117, 65, 8},
    {gps_first_satellite_id + 6, ControlKind::text, "0", 85, 76, 65, 8},
    {gps_first_satellite_id + 7, ControlKind::text, "0", 85, 85, 65, 8},
    {gps_first_satellite_id + 8, ControlKind::text, "0", 85, 93, 65, 8},
    {gps_first_satellite_id + 9, ControlKind::text, "0", 85, 101, 65, 8},
    {gps_first_satellite_id + 10, ControlKind::text, "0", 85, 109, 65, 8},
    {gps_first_satellite_id + 11, ControlKind::text, "0", 85, 117, 65, 8},
    {id_gps_take, ControlKind::default_button, "Uebernehmen", 15, 136, 57, 12},
    {id_gps_cancel, ControlKind::button, "Abbrechen", 89, 136, 58, 12},
}};
static_assert(cgps_dialog_controls.size() == 21);

inline constexpr DialogTemplate cgps_dialog_template{145, gps_dialog_caption, page_width_du, page_height_du,
                                                     "Arial", 8, cgps_dialog_controls};

// The GPS dialog: opens the receiver when it first shows ("Kein GPS
// gefunden." when there is none; the dialog stays open), refreshes its
// texts from the receiver on the paint after each tick of timer 2 (once a
// second), and keeps the values "Uebernehmen" hands over (view()). However
// it ends, timer 2 stops and the receiver is closed.
class CGPSDialog : public QDialog {
    Q_OBJECT
public:
    CGPSDialog(GpsDriver& driver, UiServices& ui, QWidget* parent = nullptr);
    ~CGPSDialog() override;

    // The texts shown and the values to hand over, as of the last refresh.
    const GpsDialogView& view() const noexcept { return view_; }

    QWidget* control(int id) const { return built_.control(id); }
    const BuiltDialog& built() const noexcept { return built_; }

    bool device_open() const noexcept { return device_ != nullptr; }
    bool timer_running() const noexcept { return timer_id_ != 0; }

    // The paint handler's work: query the receiver and show the texts.
    void refresh();

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void open_receiver();
    void end();
    void show_view();

    GpsDriver& driver_;
    UiServices& ui_;
    BuiltDialog built_;
    std::unique_ptr<GpsDevice> device_;
    GpsPosition record_;
    GpsDialogView view_;
    int timer_id_ = 0;
    bool opened_ = false;
    bool refresh_pending_ = false;
};

}  // namespace orbant
