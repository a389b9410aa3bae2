// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/scene.h"

#include <utility>

namespace orbant {

void Scene::pattern(ScenePoint centre, PixelPattern shape, Rgb colour, RasterMode mode) {
    DrawItem item;
    item.kind = DrawItem::Kind::pattern;
    item.mode = mode;
    item.pen = colour;
    item.pattern = shape;
    item.at = centre;
    items.push_back(std::move(item));
}

void Scene::polyline(std::vector<ScenePoint> vertices, Rgb pen, RasterMode mode, int pen_width) {
    DrawItem item;
    item.kind = DrawItem::Kind::polyline;
    item.mode = mode;
    item.pen = pen;
    item.pen_width = pen_width;
    item.points = std::move(vertices);
    items.push_back(std::move(item));
}

void Scene::line(ScenePoint from, ScenePoint to, Rgb pen, RasterMode mode, int pen_width) {
    polyline({from, to}, pen, mode, pen_width);
}

void Scene::rectangle(SceneRect box, std::optional<Rgb> pen, std::optional<Rgb> brush, RasterMode mode) {
    DrawItem item;
    item.kind = DrawItem::Kind::rectangle;
    item.mode = mode;
    item.pen = pen;
    item.brush = brush;
    item.rect = box;
    items.push_back(std::move(item));
}

void Scene::ellipse(SceneRect box, std::optional<Rgb> pen, std::optional<Rgb> brush, RasterMode mode) {
    rectangle(box, pen, brush, mode);
    items.back().kind = DrawItem::Kind::ellipse;
}

void Scene::text(ScenePoint top_left, std::string utf8, SceneFont font, Rgb colour, std::optional<Rgb> background,
                 RasterMode mode) {
    DrawItem item;
    item.kind = DrawItem::Kind::text;
    item.mode = mode;
    item.pen = colour;
    item.brush = background;
    item.at = top_left;
    item.text = std::move(utf8);
    item.font = font;
    items.push_back(std::move(item));
}

void Scene::bitmap(int bitmap_id, SceneRect target, RasterMode mode) {
    DrawItem item;
    item.kind = DrawItem::Kind::bitmap;
    item.mode = mode;
    item.rect = target;
    item.bitmap_id = bitmap_id;
    items.push_back(std::move(item));
}

void Scene::begin_layer(SceneRect place) {
    DrawItem item;
    item.kind = DrawItem::Kind::layer_begin;
    item.rect = place;
    items.push_back(std::move(item));
}

void Scene::end_layer(SceneRect place, RasterMode mode) {
    DrawItem item;
    item.kind = DrawItem::Kind::layer_end;
    item.mode = mode;
    item.rect = place;
    items.push_back(std::move(item));
}

int first_hit(std::span<const ScenePoint> centres, ScenePoint tap, int reach) noexcept {
    for (std::size_t i = 0; i < centres.size(); ++i) {
        const ScenePoint c = centres[i];
        if (c == no_position) continue;
        // In 64 bits, so that centres near the ends of int do not overflow.
        const long long dx = static_cast<long long>(tap.x) - c.x, dy = static_cast<long long>(tap.y) - c.y;
        if (dx >= -reach && dx < reach && dy >= -reach && dy < reach) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace orbant
