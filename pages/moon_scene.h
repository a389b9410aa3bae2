// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "pages/moon_texts.h"
#include "pages/scene.h"

namespace orbant {

// Colours of the Moon picture: lit (white), shadow (bluish grey) and frame
// (black, also the pen that outlines the mask's first square).
inline constexpr Rgb moon_lit_rgb{255, 255, 255};   // keeps the Moon under AND
inline constexpr Rgb moon_shadow_rgb{73, 77, 104};  // bluish grey under AND
inline constexpr Rgb moon_frame_rgb{0, 0, 0};

// Bitmap resource 141: the 113 x 113 picture of the full Moon on black.
inline constexpr int moon_bitmap_id = 141;
inline constexpr int moon_bitmap_side = 113;
// Bitmap resource 146: the same picture at 512 x 512 from the larger map,
// for pictures shown larger than bitmap 141.
inline constexpr int moon_large_bitmap_id = 146;

// The bitmap for a picture of size x size window pixels on a screen of
// device_scale device pixels per window pixel: 141 up to its own 113
// device pixels, the large one beyond.
int moon_bitmap_for(int size, int device_scale) noexcept;

// Appends the shadow mask of a size x size picture for the rounded
// percentage q and the waxing flag: the shapes of moon_mask_shapes in
// order, in mask pixels, drawn in copy mode (the first square with the
// black pen, the rest with the null pen).
void append_moon_mask(Scene& scene, int q, int waxing, int size);

// The Moon page's drawing for the picture data and the picture's layout:
// the black frame, then (when size > 0) the bitmap of moon_bitmap_for
// stretched to size x size at (left, top) and the shadow mask for round_half_up(percent) combined
// with it by multiplying each colour channel, on a layer of the picture's
// square (white keeps the picture, the shadow colour darkens it).
Scene moon_scene(const MoonPicture& picture, const MoonPictureLayout& layout, int device_scale = 1);

}  // namespace orbant
