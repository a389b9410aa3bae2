// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace orbant {

// One text a page shows: the control's id, the label beside it (empty when
// the control has none) and the text itself, UTF-8.
struct PageText {
    int id = 0;
    std::string label;
    std::string text;
};

// All texts of one page, in the page's order (top to bottom, left to right).
struct PageTexts {
    std::string caption;          // the page's tab caption
    std::vector<PageText> texts;

    // The text of control `id`, or nullptr when the page has none.
    const std::string* find(int id) const {
        for (const auto& t : texts)
            if (t.id == id) return &t.text;
        return nullptr;
    }
};

}  // namespace orbant
