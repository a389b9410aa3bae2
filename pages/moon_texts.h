// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>

#include "pages/page_texts.h"
#include "core/sheet_state.h"

namespace orbant {

// Control ids of the Moon page's six value texts, in page order.
inline constexpr int moon_phase_id = 1023;
inline constexpr int moon_direction_id = 1024;
inline constexpr int moon_altitude_id = 1025;
inline constexpr int moon_distance_id = 1026;
inline constexpr int moon_rise_id = 1027;
inline constexpr int moon_set_id = 1028;

// The Moon page's caption, as its tab shows it.
inline constexpr const char* moon_page_caption = "Mond";

// What the Moon picture is drawn from.
struct MoonPicture {
    double percent = 0.0;  // illuminated part of the disc, 0..100
    int waxing = 0;        // 1: the lit part grows (lit on the right)
};

// The texts of the Moon page for the sheet's displayed instant and working
// place: phase with the waxing note, direction, altitude, distance, moonrise
// and moonset of the civil day ("--------" when there is none), keyed by
// control id with the label beside each. Universal time is current_time
// less time_zone + summer_time_active hours. The state is not changed (the
// caller reads the clock first when it runs).
PageTexts moon_page_texts(const SheetState& state);
// The same, also giving the data of the picture.
PageTexts moon_page_texts(const SheetState& state, MoonPicture& picture);

// Where the picture and its black frame stand on the page, pixels.
struct MoonPictureLayout {
    int left = 0, top = 0, right = 0, bottom = 0;  // picture box; bottom only sizes the frame
    int size = 0;                                  // right - left: the picture is size x size at (left, top)
    int frame_left = 0, frame_top = 0, frame_right = 0, frame_bottom = 0;  // right/bottom exclusive
};

// The picture's place for a page client area of cx x cy pixels. Portrait
// (the screen narrower than tall) puts it below the texts with frame margins
// of 40 pixels at the sides, landscape to their right with margins of 10.
// `factor` is the page's factor (the template's fit to the page): up to 1
// (the device's screens) the picture is size x size at the top of the box,
// the frame around the box. Above 1 the margins grow by the factor and the
// picture, as large as the box allows both ways, stands centred in the box
// with the frame around it.
MoonPictureLayout moon_picture_layout(int cx, int cy, bool portrait, double factor = 1.0) noexcept;

// Colours of the shadow mask.
enum class MaskFill { white, shadow };

// One filled shape of the mask: a rectangle or the ellipse inscribed in it,
// in mask pixels, right and bottom exclusive (left <= right, top <= bottom).
// outlined: also a one-pixel black border just inside the box (the first
// square is drawn with the drawing context's default pen; the rest with no
// pen).
struct MaskShape {
    enum class Kind { rectangle, ellipse } kind = Kind::rectangle;
    int left = 0, top = 0, right = 0, bottom = 0;
    MaskFill fill = MaskFill::white;
    bool outlined = false;
};

// The shadow mask of a size x size picture for the rounded percentage q
// (0..100) and the waxing flag, as shapes to fill in this order: the white
// square, then for waxing and q > 50 the shadow over the left half and the
// white terminator ellipse; waxing and q <= 50 the shadow ellipse and then
// the left half; waning likewise with the right half. The terminator spans
// x = b .. size - b with b = q * size / 100 (integer division) and the full
// height, so q = 0 shades the whole disc and q = 100 lights all of it.
std::array<MaskShape, 3> moon_mask_shapes(int q, int waxing, int size) noexcept;

// The tick's test whether the picture must be drawn anew: true when the
// rounded current percentage differs from the rounded last drawn one; then
// last_drawn takes the current value. The page starts with last_drawn -1.0,
// so the first test always asks for a repaint.
bool moon_picture_needs_repaint(double current_percent, double& last_drawn) noexcept;

}  // namespace orbant
