// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pages/cseite1.h"

#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "astro/calendar.h"
#include "core/location_file.h"
#include "core/value_ranges.h"
#include "pages/dialog_texts.h"
#include "pages/gps_texts.h"
#include "platform/clock.h"
#include "platform/qt/ddx.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/ui_services.h"
#include "ui/dialogs/cgps_dialog.h"
#include "ui/dialogs/kalender_dlg.h"
#include "ui/dialogs/setup_dlg.h"
#include "ui/sheet_host.h"

namespace orbant {

namespace {

constexpr std::array<int, 4> step_button_ids{id_day_back, id_hour_back, id_hour_forward, id_day_forward};

// The time page's buttons that open files and dialogs. Each runs on the UI
// thread from the button's click and may change the sheet's state and the
// page's fields; each repaints the page itself where it changes something.

void report_error(UiServices& ui, QWidget* parent, const std::string& error) {
    ui.message_box(parent, QString::fromStdString(message_sentence(error)), MessageKind::error);
}

// "Standort laden": choose a ".ort" file and take its place into the
// working place.
void load_location_into_working_place(SheetHost& sheet, CSeite1& page) {
    UiServices& ui = sheet.ui();
    const auto path = ui.open_file_name(&page, qt_text(location_open_initial_name), qt_text(location_open_filter));
    if (!path) return;
    std::string error;
    if (!load_location_into_state(path->toStdString(), sheet.state(), error)) {
        report_error(ui, &page, error);
        return;
    }
    page.show_time_status();
    page.show_location();
}

// "Standort speichern": save the working place to a ".ort" file.
void save_working_place(SheetHost& sheet, CSeite1& page) {
    UiServices& ui = sheet.ui();
    const auto answer = ui.save_file_name(&page, qt_text(location_save_initial_name), qt_text(location_save_filter),
                                          qt_text(location_file_extension), true);
    if (!answer) return;
    const std::string chosen = answer->toStdString();
    const std::string path = location_path_with_extension(chosen);
    const std::string question = replace_question_before_save(chosen, path);
    if (!question.empty() && !ui.ask_yes_no(&page, qt_text(question))) return;
    std::string error;
    if (!write_location_file(path, location_from_state(sheet.state()), error)) report_error(ui, &page, error);
}

// "Einstellungen": the setup dialog over the stored settings.
void open_setup_dialog(SheetHost& sheet, CSeite1& page) {
    CSetupDlg dialog(sheet.ui(), &page);
    // The stored settings become the working values before the dialog opens;
    // without a readable "Setup.dat" the dialog starts from the working values.
    sheet.load_settings_into_working();
    dialog.fields() = setup_fields_from_working(sheet.state());
    if (sheet.ui().run_modal(dialog) == QDialog::Accepted) {
        // The stored record and the file change; of the working values only
        // "Auto-Sommerzeit" takes effect at once, the others come from the
        // stored ones the next time the dialog opens or the program starts.
        store_setup_fields(dialog.fields(), sheet.state().stored_settings);
        sheet.save_stored_settings();
        sheet.state().auto_summer_time = dialog.fields().auto_summer_time;
    }
    // The load above may have changed the setting too.
    decide_summer_time(sheet.state());
    // The page shows the working place the load above may have changed.
    page.invalidate(true);
}

// "Kalender": choose a date for current_time (keeps hour and minute).
void open_calendar_dialog(SheetHost& sheet, CSeite1& page) {
    const CivilDateTime device = read_device_time(sheet.clock());
    CKalenderDLG dialog(&page, QDate(device.year, device.month, device.day));
    if (sheet.ui().run_modal(dialog) != QDialog::Accepted || !dialog.date_selected()) return;
    const QDate date = dialog.selected_date();
    SheetState& state = sheet.state();
    state.current_time = calendar_choice_instant(date.year(), date.month(), date.day(), state.current_time);
    state.clock_stopped = 1;
    decide_summer_time(state);
    page.copy_time_to_fields();
    page.write_fields();
    page.invalidate(true);
}

// "GPS": the GPS dialog; on "Uebernehmen" after a refresh with satellites
// the received latitude and longitude become the working place.
void open_gps_dialog(SheetHost& sheet, CSeite1& page) {
    CGPSDialog dialog(sheet.gps_driver(), sheet.ui(), &page);
    if (sheet.ui().run_modal(dialog) != QDialog::Accepted) return;
    // Only a refresh with satellites, and a position on the globe, moves
    // the working place; zone, name and stored settings stay.
    const auto place = gps_place_to_hand_over(dialog.view());
    if (!place) return;
    SheetState& state = sheet.state();
    state.observer_latitude = place->latitude_deg;
    state.observer_longitude = place->longitude_deg;
    page.invalidate(true);
}

}  // namespace

CSeite1::CSeite1(SheetHost& sheet) : SheetPage(sheet, cseite1_template, 1, true) {
    zone_list_ = control_as<QComboBox>(id_time_zone);
    auto on_click = [this](int id, auto handler) {
        if (auto* b = control_as<QPushButton>(id)) connect(b, &QPushButton::clicked, this, handler);
    };
    on_click(id_stop_enter, [this] { on_stop_enter(); });
    on_click(id_current_time, [this] { on_current_time(); });
    on_click(id_take_location, [this] { on_take_location(); });
    // The step buttons repeat while held, with Qt's usual delay and rate;
    // each repeat is one click, so one step.
    for (int id : step_button_ids)
        if (auto* b = control_as<QPushButton>(id)) b->setAutoRepeat(true);
    on_click(id_day_back, [this] { step_time(-day_step_seconds); });
    on_click(id_day_forward, [this] { step_time(day_step_seconds); });
    on_click(id_hour_back, [this] { step_time(-hour_step_seconds); });
    on_click(id_hour_forward, [this] { step_time(hour_step_seconds); });
    on_click(id_load_location, [this] { load_location_into_working_place(this->sheet(), *this); });
    on_click(id_save_location, [this] { save_working_place(this->sheet(), *this); });
    on_click(id_settings, [this] { open_setup_dialog(this->sheet(), *this); });
    on_click(id_calendar, [this] { open_calendar_dialog(this->sheet(), *this); });
    on_click(id_gps, [this] { open_gps_dialog(this->sheet(), *this); });
    // Return in a date or time field enters the time, in a place field the place.
    auto on_return = [this](int id, auto handler) {
        if (auto* e = edit(id)) connect(e, &QLineEdit::returnPressed, this, handler);
    };
    for (int id : {id_day, id_month, id_year, id_hour, id_minute}) on_return(id, [this] { on_stop_enter(); });
    for (int id : {id_latitude, id_longitude}) on_return(id, [this] { on_take_location(); });
}

QLineEdit* CSeite1::edit(int id) const { return control_as<QLineEdit>(id); }

void CSeite1::on_init_page() {
    if (!zone_list_) return;
    zone_list_->clear();
    for (const char* entry : time_zone_entries) zone_list_->addItem(QString::fromUtf8(entry));
    select_zone_entry();
}

void CSeite1::select_zone_entry() {
    if (zone_list_) zone_list_->setCurrentIndex(time_zone_entry_index(state().time_zone));
}

void CSeite1::show_time_status() {
    const SheetState& s = state();
    const PageTexts texts = time_page_texts(s);
    if (s.clock_stopped != 1) {
        copy_time_to_fields();
        // Written in this order: minute, hour, day, month, year. A field the
        // user is typing in (it has the focus and changed since it was last
        // filled) is left alone.
        for (int id : {id_minute, id_hour, id_day, id_month, id_year}) {
            QLineEdit* e = edit(id);
            if (!e || (e->hasFocus() && e->isModified())) continue;
            e->setText(QString::fromStdString(*texts.find(id)));
        }
    }
    if (auto* status = control_as<QLabel>(id_status)) status->setText(QString::fromStdString(*texts.find(id_status)));
}

void CSeite1::show_location() {
    const SheetState& s = state();
    const PageTexts texts = time_page_texts(s);
    if (auto* e = edit(id_latitude)) e->setText(QString::fromStdString(*texts.find(id_latitude)));
    if (auto* e = edit(id_longitude)) e->setText(QString::fromStdString(*texts.find(id_longitude)));
    // The fields follow what the controls now show, so that a field that
    // later fails its check keeps the working value, not an old one.
    fields_.latitude = s.observer_latitude;
    fields_.longitude = s.observer_longitude;
    select_zone_entry();
    if (auto* name = control_as<QLabel>(id_place_name)) name->setText(QString::fromStdString(s.place_name));
}

void CSeite1::on_paint(bool) {
    show_time_status();
    show_location();
}

void CSeite1::copy_time_to_fields() {
    const CivilDateTime& t = state().current_time;
    fields_.year = t.year;
    fields_.month = t.month;
    fields_.day = t.day;
    fields_.hour = t.hour;
    fields_.minute = t.minute;
}

bool CSeite1::read_fields() {
    UiServices& ui = sheet().ui();
    return ddx_read_int(edit(id_day), fields_.day, ui, this) &&
           ddx_read_int(edit(id_month), fields_.month, ui, this) &&
           ddx_read_int(edit(id_year), fields_.year, ui, this) &&
           ddx_read_int(edit(id_hour), fields_.hour, ui, this) &&
           ddx_read_int(edit(id_minute), fields_.minute, ui, this) &&
           ddx_read_double_in_range(edit(id_latitude), fields_.latitude, -latitude_limit, latitude_limit, ui, this) &&
           ddx_read_double_in_range(edit(id_longitude), fields_.longitude, -longitude_limit, longitude_limit, ui,
                                    this);
}

bool CSeite1::check_time_fields() {
    UiServices& ui = sheet().ui();
    constexpr std::int32_t longest_month = 31;
    const int month_days = days_in_month(fields_.year, fields_.month);
    return ddx_check_int_range(edit(id_day), fields_.day, 1, month_days > 0 ? month_days : longest_month, ui, this) &&
           ddx_check_int_range(edit(id_month), fields_.month, 1, 12, ui, this) &&
           ddx_check_int_range(edit(id_hour), fields_.hour, 0, 23, ui, this) &&
           ddx_check_int_range(edit(id_minute), fields_.minute, 0, 59, ui, this);
}

void CSeite1::write_fields() {
    ddx_write_int(edit(id_day), fields_.day);
    ddx_write_int(edit(id_month), fields_.month);
    ddx_write_int(edit(id_year), fields_.year);
    ddx_write_int(edit(id_hour), fields_.hour);
    ddx_write_int(edit(id_minute), fields_.minute);
    ddx_write_double(edit(id_latitude), fields_.latitude);
    ddx_write_double(edit(id_longitude), fields_.longitude);
}

void CSeite1::on_stop_enter() {
    // A field that is no integer is reported and the rest taken as read; an
    // impossible date or time is refused and nothing changes.
    read_fields();
    if (!check_time_fields()) return;
    SheetState& s = state();
    s.clock_stopped = 1;
    s.current_time = CivilDateTime{fields_.year, fields_.month, fields_.day, fields_.hour, fields_.minute, 0};
    decide_summer_time(s);
    invalidate(true);
}

void CSeite1::on_current_time() {
    state().clock_stopped = 0;
    sheet().read_clock();
    invalidate(true);
}

void CSeite1::on_take_location() {
    read_fields();
    SheetState& s = state();
    s.observer_latitude = fields_.latitude;
    s.observer_longitude = fields_.longitude;
    if (zone_list_ && zone_list_->currentIndex() >= 0) s.time_zone = time_zone_of_entry(zone_list_->currentIndex());
    invalidate(true);
}

void CSeite1::step_time(std::int64_t delta_seconds) {
    SheetState& s = state();
    const TimeStepStatus status = step_local_time(s.current_time, delta_seconds, s.current_time, s.last_step);
    if (status != TimeStepStatus::stepped) {
        // A held button stops repeating: each repeat would bring the message
        // again, and would keep running behind a modal message box.
        for (int id : step_button_ids)
            if (auto* b = control_as<QPushButton>(id)) b->setDown(false);
    }
    switch (status) {
    case TimeStepStatus::year_out_of_range:
        sheet().ui().message_box(this, QString::fromUtf8(step_years_message), MessageKind::information);
        return;
    case TimeStepStatus::conversion_failed:
        sheet().ui().message_box(this, QString::fromUtf8(step_failed_message), MessageKind::error);
        return;
    case TimeStepStatus::stepped: break;
    }
    s.clock_stopped = 1;
    decide_summer_time(s);
    copy_time_to_fields();
    write_fields();
    invalidate(true);
}

}  // namespace orbant
