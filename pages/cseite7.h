#pragma once
#include <array>

#include "pages/sheet_page.h"

namespace orbant {

// The "Ereignisse" page of the sheet (template 143, 162 x 150 dialog units).
// It never becomes active_page: ticks keep refreshing the page shown before.
inline constexpr std::array<ControlSpec, 0> cseite7_controls{};
inline constexpr DialogTemplate cseite7_template{143, "Ereignisse", page_width_du, page_height_du, "Arial", 8,
                                              cseite7_controls};

class CSeite7 : public SheetPage {
    Q_OBJECT
public:
    explicit CSeite7(CAllControlsSheet& sheet) : SheetPage(sheet, cseite7_template, 0, false) {}
};

}  // namespace orbant
