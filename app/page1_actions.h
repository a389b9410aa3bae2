#pragma once

namespace orbant {

class CAllControlsSheet;
class CSeite1;

// The time page's buttons that open files and dialogs. Each runs on the UI
// thread from the button's click and may change the sheet's state and the
// page's fields; each repaints the page itself where it changes something.

// "Standort laden": choose a ".ort" file and take its place into the
// working place.
void load_location_into_working_place(CAllControlsSheet& sheet, CSeite1& page);

// "Standort speichern": save the working place to a ".ort" file.
void save_working_place(CAllControlsSheet& sheet, CSeite1& page);

// "Einstellungen": the setup dialog over the stored settings.
void open_setup_dialog(CAllControlsSheet& sheet, CSeite1& page);

// "Kalender": choose a date for current_time (keeps hour and minute).
void open_calendar_dialog(CAllControlsSheet& sheet, CSeite1& page);

// "GPS": the GPS dialog; on "Uebernehmen" after a refresh with satellites
// the received latitude and longitude become the working place.
void open_gps_dialog(CAllControlsSheet& sheet, CSeite1& page);

}  // namespace orbant
