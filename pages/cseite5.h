#pragma once
#include <array>

#include "app/sheet_page.h"

namespace orbant {

// The "Uebersicht" page of the sheet (template 133, 162 x 150 dialog units).
inline constexpr std::array<ControlSpec, 0> cseite5_controls{};
inline constexpr DialogTemplate cseite5_template{133, "Uebersicht", page_width_du, page_height_du, "Arial", 8,
                                              cseite5_controls};

class CSeite5 : public SheetPage {
    Q_OBJECT
public:
    explicit CSeite5(CAllControlsSheet& sheet) : SheetPage(sheet, cseite5_template, 5, false) {}
};

}  // namespace orbant
