#include "app/page1_actions.h"

#include "app/all_controls_sheet.h"
#include "pages/cseite1.h"

namespace orbant {

void load_location_into_working_place(CAllControlsSheet&, CSeite1&) {}

void save_working_place(CAllControlsSheet&, CSeite1&) {}

void open_setup_dialog(CAllControlsSheet&, CSeite1&) {}

void open_calendar_dialog(CAllControlsSheet&, CSeite1&) {}

void open_gps_dialog(CAllControlsSheet&, CSeite1&) {}

}  // namespace orbant
