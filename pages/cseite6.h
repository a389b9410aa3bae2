#pragma once
#include <array>

#include "app/sheet_page.h"

namespace orbant {

// The "Horizont" page of the sheet (template 134, 162 x 150 dialog units).
inline constexpr std::array<ControlSpec, 0> cseite6_controls{};
inline constexpr DialogTemplate cseite6_template{134, "Horizont", page_width_du, page_height_du, "Arial", 8,
                                              cseite6_controls};

class CSeite6 : public SheetPage {
    Q_OBJECT
public:
    explicit CSeite6(CAllControlsSheet& sheet) : SheetPage(sheet, cseite6_template, 6, false) {}
};

}  // namespace orbant
