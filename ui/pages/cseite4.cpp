// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pages/cseite4.h"

#include "ui/sheet_host.h"
#include "ui/page_text_controls.h"

namespace orbant {

void CSeite4::update_page() {
    if (!state().clock_stopped) sheet().read_clock();
    show_page_texts(*this, planets_page_texts(state()));
}

void CSeite4::on_paint(bool) { update_page(); }

}  // namespace orbant
