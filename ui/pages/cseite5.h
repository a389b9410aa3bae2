// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <array>

#include "pages/overview_scene.h"
#include "ui/canvas_page.h"

class QCheckBox;

namespace orbant {

// The "Uebersicht" page of the sheet (template 133, 162 x 150 dialog units):
// the compass chart on the page's canvas and one check box, which the
// layout moves to the bottom left (portrait) or the bottom right.
inline constexpr std::array<ControlSpec, 1> cseite5_controls = {{
    {overview_only_risen_id, ControlKind::check_box, overview_only_risen_caption, 10, 135, 75, 11},
}};

inline constexpr DialogTemplate cseite5_template = page_template(133, overview_page_caption, cseite5_controls);

// The overview chart: where the Sun, the Moon and the planets stand by
// compass direction. A tick invalidates the page without erasing; its
// paint moves each dot by drawing the old one again in NOT-XOR (which
// removes it) and then the new one.
class CSeite5 : public CanvasPage {
    Q_OBJECT
public:
    explicit CSeite5(SheetHost& sheet);

    // The layout of the last size change, and the directions the dots were
    // last drawn at.
    const OverviewLayout& layout() const noexcept { return layout_; }
    const OverviewDirections& drawn_directions() const noexcept { return drawn_; }
    QCheckBox* only_risen_box() const;

    // The page's background where the chart does not cover it: the device's
    // white, on which the NOT-XOR dots show their brushes.
    static QColor page_background() { return QColor(255, 255, 255); }

protected:
    QColor canvas_background() const override { return page_background(); }
    void paint_canvas(bool blank) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Lays out the chart and the check box for a cx x cy page.
    void lay_out(int cx, int cy);

    CanvasTextMeasure measure_;
    OverviewLayout layout_;
    OverviewDirections drawn_{};
    bool laid_out_ = false;
};

}  // namespace orbant
