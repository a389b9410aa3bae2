// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>

#include "pages/scene.h"
#include "ui/canvas.h"
#include "ui/scene_painter.h"
#include "ui/sheet_page.h"

namespace orbant {

// Whether a drawing page's canvas has one pixel per window pixel or the
// screen's resolution (devicePixelRatio rounded up, the scenes scaled to
// it).
enum class CanvasResolution { window_pixels, device_pixels };

// The base of the drawing pages: it owns the page's persistent canvas,
// sizes it to the page at its resolution, clears it when the page was
// invalidated with erasing, and copies it to the window on every paint
// event. This is the one place that decides the canvas's size and scale.
class CanvasPage : public SheetPage {
    Q_OBJECT
public:
    const Canvas& canvas() const noexcept { return canvas_; }
    // Device pixels per window pixel of the canvas, as of the last paint.
    int canvas_scale() const noexcept { return scale_; }
    // Device pixels per window pixel of the canvas on the present screen.
    int device_ratio() const;
    // The canvas's size in its own pixels, for the page's present size and
    // screen.
    QSize canvas_size() const { return size() * device_ratio(); }
    // The growth of what a drawing gives in pixels (marks, pens, fonts,
    // gaps) on this canvas: the page's factor, at least 1, times the
    // canvas's device pixels per window pixel. 1 on the hand-held's screens.
    double pixel_scale() const;
    // The canvas pixel under a window position: the device pixel nearest
    // the window pixel's centre.
    ScenePoint canvas_point(QPoint window) const;

protected:
    CanvasPage(SheetHost& sheet, const DialogTemplate& tmpl, int page_number, bool activation_sets_chart_stale,
               CanvasResolution resolution);

    // The colour of a new or erased canvas: the window colour.
    virtual QColor canvas_background() const;

    // Draws the page onto its canvas, which now has the page's size; `blank`:
    // the canvas was just made or erased, so it holds nothing drawn before.
    virtual void paint_canvas(bool blank) = 0;

    // Draws `scene` (in window pixels) onto the canvas at its scale.
    void paint_scene(const Scene& scene);
    // Draws `scene`, computed in the canvas's own pixels, one to one.
    void paint_canvas_scene(const Scene& scene);

private:
    void on_paint(bool erase) final;
    void draw(QPainter& painter) final;

    CanvasResolution resolution_;
    Canvas canvas_;
    int scale_ = 1;
    ScenePainter painter_;
};

}  // namespace orbant
