#include "core/screen_size.h"

#include <charconv>

namespace orbant {

namespace {

bool parse_side(std::string_view text, int& side) noexcept {
    if (text.empty() || text.front() < '0' || text.front() > '9') return false;
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    if (v < min_screen_side_px || v > max_screen_side_px) return false;
    side = v;
    return true;
}

}  // namespace

bool parse_screen_size(std::string_view text, ScreenSize& size) noexcept {
    const auto x = text.find('x');
    if (x == std::string_view::npos) return false;
    ScreenSize s;
    if (!parse_side(text.substr(0, x), s.width) || !parse_side(text.substr(x + 1), s.height)) return false;
    size = s;
    return true;
}

}  // namespace orbant
