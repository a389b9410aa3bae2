#pragma once
#include <array>

#include "pages/sheet_page.h"

namespace orbant {

// The "Sonne" page of the sheet (template 131, 162 x 150 dialog units).
inline constexpr std::array<ControlSpec, 0> cseite3_controls{};
inline constexpr DialogTemplate cseite3_template{131, "Sonne", page_width_du, page_height_du, "Arial", 8,
                                              cseite3_controls};

class CSeite3 : public SheetPage {
    Q_OBJECT
public:
    explicit CSeite3(CAllControlsSheet& sheet) : SheetPage(sheet, cseite3_template, 3, true) {}
};

}  // namespace orbant
