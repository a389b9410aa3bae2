#pragma once
#include <array>

#include "pages/sheet_page.h"

namespace orbant {

// The "Planeten" page of the sheet (template 132, 162 x 150 dialog units).
inline constexpr std::array<ControlSpec, 0> cseite4_controls{};
inline constexpr DialogTemplate cseite4_template{132, "Planeten", page_width_du, page_height_du, "Arial", 8,
                                              cseite4_controls};

class CSeite4 : public SheetPage {
    Q_OBJECT
public:
    explicit CSeite4(CAllControlsSheet& sheet) : SheetPage(sheet, cseite4_template, 4, true) {}
};

}  // namespace orbant
