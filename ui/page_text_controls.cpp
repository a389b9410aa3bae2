// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/page_text_controls.h"

#include <QLabel>

#include "ui/sheet_page.h"

namespace orbant {

void show_page_texts(const SheetPage& page, const PageTexts& texts) {
    for (const PageText& t : texts.texts)
        if (auto* label = page.control_as<QLabel>(t.id)) label->setText(QString::fromStdString(t.text));
}

}  // namespace orbant
