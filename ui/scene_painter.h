// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <map>

#include "pages/scene.h"
#include "ui/canvas.h"

namespace orbant {

// Draws scenes onto a page's canvas with the canvas's primitives, and
// keeps the bitmap resources the scenes name (":/bitmaps/<id>"), loaded on
// first use.
class ScenePainter {
public:
    // Draws every item of `scene` in order onto `canvas`. A bitmap that
    // cannot be loaded draws nothing; a layer left open at the end is not
    // combined. With `scale` k > 1 (a screen of k device pixels per
    // window pixel) every position, rectangle and font size is multiplied
    // by k, so the scene comes out at the screen's resolution; lines and
    // pixel marks stay one device pixel wide.
    void paint(Canvas& canvas, const Scene& scene, int scale = 1);

private:
    const QImage& bitmap(int id);

    std::map<int, QImage> bitmaps_;
};

// Measures texts with the canvas's fonts (canvas_font), as the canvas draws
// them.
class CanvasTextMeasure final : public TextMeasure {
public:
    TextExtent measure(std::string_view utf8, SceneFont font) const override;
};

}  // namespace orbant
