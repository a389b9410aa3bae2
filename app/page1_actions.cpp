#include "app/page1_actions.h"

#include <QDate>
#include <QDialog>

#include "app/all_controls_sheet.h"
#include "pages/dialog_texts.h"
#include "app/kalender_dlg.h"
#include "core/location_file.h"
#include "app/setup_dlg.h"
#include "gps/cgps_dialog.h"
#include "pages/gps_texts.h"
#include "pages/cseite1.h"
#include "platform/clock.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/ui_services.h"

namespace orbant {

namespace {

void report_error(UiServices& ui, QWidget* parent, const std::string& error) {
    ui.message_box(parent, QString::fromStdString(message_sentence(error)), MessageKind::error);
}

}  // namespace

void load_location_into_working_place(CAllControlsSheet& sheet, CSeite1& page) {
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

void save_working_place(CAllControlsSheet& sheet, CSeite1& page) {
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

void open_setup_dialog(CAllControlsSheet& sheet, CSeite1& page) {
    CSetupDlg dialog(sheet.ui(), &page);
    // The stored settings become the working values before the dialog opens;
    // without a readable "Setup.dat" the dialog starts from the working values.
    sheet.load_settings_into_working();
    dialog.fields() = setup_fields_from_working(sheet.state());
    if (sheet.ui().run_modal(dialog) == QDialog::Accepted) {
        // Only the stored record and the file change: the working values come
        // from them the next time the dialog opens or the program starts.
        store_setup_fields(dialog.fields(), sheet.state().stored_settings);
        sheet.save_stored_settings();
    }
    // The page shows the working place the load above may have changed.
    page.invalidate(true);
}

void open_calendar_dialog(CAllControlsSheet& sheet, CSeite1& page) {
    const CivilDateTime device = read_device_time(sheet.clock());
    CKalenderDLG dialog(&page, QDate(device.year, device.month, device.day));
    if (sheet.ui().run_modal(dialog) != QDialog::Accepted || !dialog.date_selected()) return;
    const QDate date = dialog.selected_date();
    SheetState& state = sheet.state();
    state.current_time = calendar_choice_instant(date.year(), date.month(), date.day(), state.current_time);
    state.clock_stopped = 1;
    page.copy_time_to_fields();
    page.write_fields();
    page.invalidate(true);
}

void open_gps_dialog(CAllControlsSheet& sheet, CSeite1& page) {
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

}  // namespace orbant
