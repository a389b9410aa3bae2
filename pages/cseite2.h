#pragma once
#include <array>

#include "pages/sheet_page.h"

namespace orbant {

// The "Mond" page of the sheet (template 130, 162 x 150 dialog units).
inline constexpr std::array<ControlSpec, 0> cseite2_controls{};
inline constexpr DialogTemplate cseite2_template{130, "Mond", page_width_du, page_height_du, "Arial", 8,
                                              cseite2_controls};

class CSeite2 : public SheetPage {
    Q_OBJECT
public:
    explicit CSeite2(CAllControlsSheet& sheet) : SheetPage(sheet, cseite2_template, 2, true) {}
};

}  // namespace orbant
