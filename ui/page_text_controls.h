// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "pages/page_texts.h"

namespace orbant {

class SheetPage;

// Writes each text of `texts` into the page's control with that id (a
// label's text); ids the page lacks are skipped.
void show_page_texts(const SheetPage& page, const PageTexts& texts);

}  // namespace orbant
