// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/moon_scene.h"

#include "astro/services/positions.h"

namespace orbant {

void append_moon_mask(Scene& scene, int q, int waxing, int size) {
    for (const MaskShape& s : moon_mask_shapes(q, waxing, size)) {
        const SceneRect box{s.left, s.top, s.right, s.bottom};
        const Rgb fill = s.fill == MaskFill::white ? moon_lit_rgb : moon_shadow_rgb;
        const std::optional<Rgb> pen = s.outlined ? std::optional<Rgb>(moon_frame_rgb) : std::nullopt;
        if (s.kind == MaskShape::Kind::ellipse)
            scene.ellipse(box, pen, fill, RasterMode::copy);
        else
            scene.rectangle(box, pen, fill, RasterMode::copy);
    }
}

int moon_bitmap_for(int size, int device_scale) noexcept {
    // In 64 bits, so that no size and scale overflow the product.
    const long long device_side = static_cast<long long>(size) * (device_scale < 1 ? 1 : device_scale);
    return device_side > moon_bitmap_side ? moon_large_bitmap_id : moon_bitmap_id;
}

Scene moon_scene(const MoonPicture& picture, const MoonPictureLayout& l, int device_scale) {
    Scene scene;
    // The frame is filled with the black brush under the default (black) pen.
    scene.rectangle({l.frame_left, l.frame_top, l.frame_right, l.frame_bottom}, moon_frame_rgb, moon_frame_rgb,
                    RasterMode::copy);
    if (l.size <= 0) return scene;
    const SceneRect square{l.left, l.top, l.left + l.size, l.top + l.size};
    scene.bitmap(moon_bitmap_for(l.size, device_scale), square, RasterMode::copy);
    scene.begin_layer(square);
    append_moon_mask(scene, static_cast<int>(round_half_up(picture.percent)), picture.waxing, l.size);
    scene.end_layer(square, RasterMode::multiply);
    return scene;
}

}  // namespace orbant
